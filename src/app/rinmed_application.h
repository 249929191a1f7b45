#pragma once

#include <QApplication>

// The UI application. Every event handler already reports its own errors; this is the last net
// for an error raised anywhere else in event delivery, so that none ever leaves the event loop.
class RinmedApplication : public QApplication {
 public:
  RinmedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
