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
// The refresh timer stays: it is what keeps the list current while the link is down. While the link is
// connected its ticks are better skipped, as each would read the list without anything having changed
// (the drug-information window does so).

#include <QDate>
#include <QDeadlineTimer>
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

  // Events arriving within this long after the first are one reload at most: ORCA's reception screen
  // may send a burst, and each reload reads the whole list. One second unless a test shortens it.
  void setCoalesceMs(int ms);
  // Within that window the reload is made as soon as the events have paused this long: a lone
  // reception shows at once instead of a second later, a burst (events milliseconds apart) is still
  // one reload. 300 ms unless a test or a benchmark changes it; never longer than the window.
  void setQuietMs(int ms);
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
  // An event for the day shown named this patient (as sent, zero-padded), before its reload.
  void patientNamed(const QString& patientId);

 private:
  std::function<void()> reload_;
  QTimer* pending_;
  int windowMs_ = 1000;
  int quietMs_ = 300;
  QDeadlineTimer windowEnd_;  // of the reload pending
  QDate dayShown_;
  PushIndicator indicator_;
};
