#pragma once

#include <QDate>
#include <QList>
#include <QStringList>
#include <memory>

#include "orca_sim_process.h"
#include "push/live_reload.h"
#include "push/push_link.h"
#include "temp_program_folder.h"

// A push link and the live reload of a list fed by it, everything they report recorded; orca-sim started
// as a process when a test asks, with user.ini pointing at it.
class PushTest : public TempProgramFolder {
 protected:
  static const QDate kSimToday;  // the simulator's day
  static constexpr int kCoalesceMs = 300;
  static const PushTimings kFastRetries;  // 100 ms doubling up to 400 ms; keep-alive as shipped

  void SetUp() override;

  // orca-sim for kSimToday; user.ini in cloud mode with its plain-HTTP URL, user and key ormaster.
  void startSim(const QStringList& arguments = {});
  // A control call of the simulator ("/sim/accept", "/sim/account") for the patient; the HTTP status.
  int simCall(const QString& call, int patient);
  int simAccept(int patient) { return simCall("/sim/accept", patient); }
  void startLink() { link_->start(ReadPushTarget()); }
  bool waitForState(PushState state);
  int waitingCount() const;

  OrcaSimProcess sim_;
  QString simUrl_;
  std::unique_ptr<PushLink> link_;
  std::unique_ptr<LiveReload> live_;
  int reloads_ = 0;
  QList<PushEvent> events_;
  QList<PushStatus> statuses_;
};
