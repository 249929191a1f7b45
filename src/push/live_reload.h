#pragma once

// What a window showing a day's receptions makes of the push link, without any widget:
//
//   PushLink link;
//   LiveReload live([&] { /* reload the list as the refresh timer does, keeping the selection */ });
//   live.attach(link);
//   live.setDayShown(day);                  // at opening and whenever the day shown changes
//   connect(&live, &LiveReload::indicatorChanged, ...);  // show text and toolTip in free space
//   link.start(ReadPushTarget());
//   ...
//   link.stop();                            // when the window closes
//
// The refresh timer stays as it is: it is what keeps the list current while the link is down.

#include <QDate>
#include <QObject>
#include <functional>

#include "push/push_frames.h"
#include "push/push_status.h"

class PushLink;
class QTimer;

class LiveReload : public QObject {
  Q_OBJECT
 public:
  explicit LiveReload(std::function<void()> reload, QObject* parent = nullptr);

  // Events arriving within this long after the first are one reload: ORCA's reception screen may send
  // a burst, and each reload reads the whole list. One second unless a test shortens it.
  void setCoalesceMs(int ms);
  // Events for other days are ignored. A change of day drops a reload not yet made: the window loads
  // the new day itself.
  void setDayShown(const QDate& day);

  // Feeds the link's events, reconnections and state into this.
  void attach(PushLink& link);
  void eventArrived(const PushEvent& event);
  void reloadWanted();
  void statusChanged(const PushStatus& status);

  const PushIndicator& indicator() const { return indicator_; }
  bool reloadPending() const;

 signals:
  void indicatorChanged(const PushIndicator& indicator);

 private:
  std::function<void()> reload_;
  QTimer* pending_;
  QDate dayShown_;
  PushIndicator indicator_;
};
