#include "push_fixture.h"

#include "core/ini_file.h"
#include "orca/client_tls.h"
#include "sim_control.h"
#include "wait_until.h"

const QDate PushTest::kSimToday(2025, 3, 14);
const PushTimings PushTest::kFastRetries{10000, 30000, 100, 400};

void PushTest::SetUp() {
  TempProgramFolder::SetUp();
  link_ = std::make_unique<PushLink>();
  link_->setTimings(kFastRetries);
  link_->setCertStore(ClientCertStore(path("certs")));
  live_ = std::make_unique<LiveReload>([this] { ++reloads_; });
  live_->setCoalesceMs(kCoalesceMs);
  live_->setDayShown(kSimToday);
  live_->attach(*link_);
  QObject::connect(link_.get(), &PushLink::eventArrived, [this](const PushEvent& e) { events_ << e; });
  QObject::connect(link_.get(), &PushLink::statusChanged, [this](const PushStatus& s) { statuses_ << s; });
}

void PushTest::startSim(const QStringList& arguments) {
  simUrl_ = sim_.start(kSimToday, arguments);
  ASSERT_FALSE(simUrl_.isEmpty()) << "orca-sim did not start";
  IFWriteIniStr("PARAMA", "URL", simUrl_ + "/api/");
  IFWriteIniStr("PARAMA", "APIUSER", "ormaster");
  IFWriteIniStr("PARAMA", "APIKEY", "ormaster");
  IFWriteIniStr("COKBN", "CHCK", "1");
}

int PushTest::simCall(const QString& call, int patient) {
  return CallSim(simUrl_, call, patient, ClientTlsConfiguration(false, ClientCertStore(path("certs"))));
}

bool PushTest::waitForState(PushState state) {
  return WaitUntil([&] { return link_->status().state == state; });
}

int PushTest::waitingCount() const {
  return static_cast<int>(std::count_if(statuses_.begin(), statuses_.end(),
                                        [](const PushStatus& s) { return s.state == PushState::Waiting; }));
}
