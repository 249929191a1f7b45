#include "app/main_window.h"
#include "app/rinmed_application.h"
#include "core/log.h"

int main(int argc, char** argv) {
  RinmedApplication app(argc, argv);
  StartNewLogIfLarge();  // a log that cannot be renamed grows on, as before
  TfrmMain launcher(LauncherServices::Program());
  launcher.show();
  return app.exec();
}
