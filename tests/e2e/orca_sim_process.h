#pragma once

#include <QDate>
#include <QProcess>
#include <QString>
#include <QStringList>

// The orca-sim executable run as a child process on a free port, killed with this object.
class OrcaSimProcess {
 public:
  OrcaSimProcess() = default;
  ~OrcaSimProcess();
  OrcaSimProcess(const OrcaSimProcess&) = delete;
  OrcaSimProcess& operator=(const OrcaSimProcess&) = delete;

  // Starts it with its demo data made for `today` and gives the base URL from its listening line
  // ("http://127.0.0.1:<port>"), or "" when it did not come up.
  QString start(const QDate& today, const QStringList& extraArguments = {});
  // Kills it, as a crash or a pulled cable would end it: its clients hear no goodbye.
  void kill();
  // Starts it again as before, on the port it had, with its demo data made afresh; the base URL or "".
  QString restart();
  // With --push-port: the address of its second push endpoint ("ws://127.0.0.1:<port>/ws").
  const QString& pushUrl() const { return pushUrl_; }

 private:
  QString launch(const QStringList& arguments);

  QProcess process_;
  QStringList arguments_;
  QString port_;
  QString pushUrl_;
};
