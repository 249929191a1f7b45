#include "push/live_reload.h"

#include <QTimer>

#include "push/push_link.h"

LiveReload::LiveReload(std::function<void()> reload, QObject* parent)
    : QObject(parent), reload_(std::move(reload)), pending_(new QTimer(this)), indicator_(IndicatorOf({})) {
  pending_->setSingleShot(true);
  pending_->setInterval(1000);
  connect(pending_, &QTimer::timeout, this, [this] { reload_(); });
}

void LiveReload::setCoalesceMs(int ms) {
  pending_->setInterval(ms);
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
  if (event.day == dayShown_) reloadWanted();
}

// The first request opens the window; those that follow until it closes join it.
void LiveReload::reloadWanted() {
  if (!pending_->isActive()) pending_->start();
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
