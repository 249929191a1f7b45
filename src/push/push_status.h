#pragma once

#include <QString>

enum class PushState {
  Off,         // not started, stopped, turned off or without an address: the timer alone refreshes
  Connecting,  // opening the socket and subscribing
  Connected,   // subscribed: changes arrive as they happen
  Waiting,     // the last attempt failed; the next starts after a pause
};

struct PushStatus {
  PushState state = PushState::Off;
  QString reason;     // why the link is not connected, for people; blank while connected
  int retryInMs = 0;  // while waiting: the pause before the next attempt
};

// What the window shows in its free space: "自動更新" while the link is connected, "定期更新" while the
// list relies on its timer, with the reason as the tool tip.
struct PushIndicator {
  QString text;
  QString toolTip;
  bool operator==(const PushIndicator&) const = default;
};

PushIndicator IndicatorOf(const PushStatus& status);

// "3 秒後", "5 分後": when the next attempt starts, for the reason texts.
QString RetryText(int retryInMs);
