// rinmed-cli watch [yyyy-mm-dd] [--in-progress]: the patient grid of a day, printed once and again
// whenever ORCA's push notifications change it, until interrupted. Without push notifications (PUSH=0,
// no address for them) and while the link is down, the list is read every REFRESH seconds instead, as
// the window's timer reads it.
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "core/core_error.h"
#include "core/user_settings.h"
#include "day_listing.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "push/live_reload.h"
#include "push/push_link.h"
#include "push/push_target.h"
#include "stop_signal.h"
#include "usecases/list_day.h"
#include "usecases/user_messages.h"

namespace {

// Prints the day's grid, followed by an empty line, when it differs from the one printed last: a
// reconnection reads the list again whether or not anything changed.
class Watcher {
 public:
  Watcher(OrcaClient& client, DayArguments day) : client_(client), day_(day) {}

  // Events arriving while a listing runs are listed after it, once.
  void list() {
    if (listing_) {
      again_ = true;
      return;
    }
    listing_ = true;
    do {
      again_ = false;
      listOnce();
    } while (again_);
    listing_ = false;
  }

 private:
  void listOnce() {
    std::optional<DayList> list;
    try {
      list = RunBlocking(ListDay(client_, day_.day, day_.mode));
    } catch (const FileWriteError&) {
      return;  // a log that cannot be written: said once by the teller, and tried again at the next turn
    }
    if (!list) {
      PrintError(QStringLiteral("ORCA gave no list (see Log.txt); the last one printed stands"));
      return;
    }
    const QStringList rows = ListingRows(list->patients);
    if (rows != printed_) {
      for (const QString& row : rows) PrintLine(row);
      PrintLine(QString());
      std::fflush(stdout);  // whoever reads the pipe sees each listing as it comes
      printed_ = rows;
    }
  }

  OrcaClient& client_;
  DayArguments day_;
  QStringList printed_;
  bool listing_ = false;
  bool again_ = false;
};

int Watch(const QStringList& arguments) {
  const std::optional<DayArguments> parsed = ParseDayArguments(arguments);
  if (!parsed) return kExitUsage;
  OrcaClient client;
  if (!ConnectToConfiguredServer(client)) return kExitMessage;

  Watcher watcher(client, *parsed);
  watcher.list();
  // The first listing tells whether the server is an ORCA without WebORCA, whose pusher has a port
  // of its own.
  const PushTarget target = ReadPushTarget(client.usesClassicForm());
  const int refreshMs = RefreshIntervalMs(ReadSetting(Setting::RefreshSeconds));
  const QString polling = QStringLiteral(": the list is read every %1 s (REFRESH)").arg(refreshMs / 1000);
  if (!target.enabled) {
    PrintError(QStringLiteral("watch: push notifications are off (PUSH=0 in user.ini)") + polling);
  } else if (target.url.isEmpty()) {
    PrintError(QStringLiteral("watch: no address for push notifications (PUSHURL in user.ini)") + polling);
  }
  const bool pushed = target.enabled && !target.url.isEmpty();
  PushLink link;
  // The timer's ticks count while the link does not stand: every change reaches the list through it.
  QTimer refresh;
  QObject::connect(&refresh, &QTimer::timeout, [&] {
    if (!pushed || link.status().state != PushState::Connected) watcher.list();
  });
  refresh.start(refreshMs);
  LiveReload live([&watcher] { watcher.list(); });
  live.setDayShown(parsed->day);
  live.attach(link);
  QObject::connect(&live, &LiveReload::indicatorChanged, [](const PushIndicator& indicator) {
    PrintError(QStringLiteral("watch: ") + indicator.text + QStringLiteral(" (") +
               indicator.toolTip.section(QLatin1Char('\n'), 0, 0) + QLatin1Char(')'));
  });
  QEventLoop loop;
  QuitOnStopSignal(loop);
  if (pushed) link.start(target);
  loop.exec();

  refresh.stop();
  if (!pushed) return kExitDone;
  link.stop();
  QEventLoop goodbye;  // the server's answer to the closing frame, briefly
  QTimer::singleShot(2000, &goodbye, &QEventLoop::quit);
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &goodbye, [&] {
    if (!link.closing()) goodbye.quit();
  });
  poll.start(20);
  goodbye.exec();
  return kExitDone;
}

const CliRegistration registration{
    {QStringLiteral("watch"), QStringLiteral("[yyyy-mm-dd] [--in-progress]"),
     QStringLiteral("the patient grid of the day, printed again (after an empty line) whenever ORCA's push "
                    "notifications change it (without them, every REFRESH seconds), until interrupted"),
     Watch}};

}  // namespace
