#include "push/live_reload.h"

#include <QTimer>
#include <algorithm>

#include "push/push_link.h"

LiveReload::LiveReload(std::function<void()> reload, QObject* parent)
    : QObject(parent), reload_(std::move(reload)), pending_(new QTimer(this)), indicator_(IndicatorOf({})) {
  pending_->setSingleShot(true);
  connect(pending_, &QTimer::timeout, this, [this] { reload_(); });
}

void LiveReload::setCoalesceMs(int ms) {
  windowMs_ = ms;
}

void LiveReload::setQuietMs(int ms) {
  quietMs_ = ms;
}

void LiveReload::setDayShown(const QDate& day) {
  if (day != dayShown_) pending_->stop();
  dayShown_ = day;
}

void LiveReload::attach(PushLink& link) {
  connect(&link, &PushLink::eventArrived, this, &LiveReload::eventArrived);
  connect(&link, &PushLink::reloadWanted, this, &LiveReload::reloadWanted);
  connect(&link, &PushLink::statusChanged, this, &LiveReload::statusChanged);
  statusChanged(link.status());
}

void LiveReload::eventArrived(const PushEvent& event) {
  if (event.day != dayShown_) return;
  if (!event.patientId.isEmpty()) emit patientNamed(event.patientId);
  reloadWanted();
}

// The first request opens the window; each one that follows while it is open puts the reload off
// until the requests pause, but never past the window's end.
void LiveReload::reloadWanted() {
  if (!pending_->isActive()) windowEnd_.setRemainingTime(windowMs_);
  const qint64 left = std::max<qint64>(windowEnd_.remainingTime(), 0);
  pending_->start(static_cast<int>(std::min<qint64>(quietMs_, left)));
}

void LiveReload::statusChanged(const PushStatus& status) {
  const PushIndicator indicator = IndicatorOf(status);
  if (indicator == indicator_) return;
  indicator_ = indicator;
  emit indicatorChanged(indicator_);
}

bool LiveReload::reloadPending() const {
  return pending_->isActive();
}
