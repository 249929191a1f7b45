#include "app/main_window.h"
#include "app/rinmed_application.h"

int main(int argc, char** argv) {
  RinmedApplication app(argc, argv);
  TfrmMain launcher(LauncherServices::Program());
  launcher.show();
  return app.exec();
}
