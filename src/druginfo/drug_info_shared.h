#pragma once

#include "druginfo/drug_info_controls.h"
#include "druginfo/drug_info_ui.h"
#include "druginfo/prepared_day.h"
#include "orca/connection.h"
#include "orca/orca_client.h"

// What the two parts of the drug-information window's logic (the reception list and the patient
// panes) share: the desktop, the models of the controls, the connection values the window holds,
// the client that sends every request of the window and the patients of today prepared ahead.
struct DrugInfoShared {
  explicit DrugInfoShared(DrugInfoUi& desktop) : ui(desktop) {}

  DrugInfoUi& ui;
  DrugInfoControls controls;
  OrcaConnection connection;  // stURL, stAPIKEY, stAPIUSER, FSelfInstCd as GetWebORCAInfo last read them
  OrcaClient client;
  PreparedDay prepared{client};  // after the client, whose places its requests wait for

  // GetWebORCAInfo: the connection values anew from user.ini, into the client and the refresh timer;
  // changed settings drop what was prepared.
  void reloadConnection() {
    connection = ReadConnection();
    client.setConnection(connection);
    controls.TimerRefresh.intervalMs = connection.refreshMs;
    prepared.settingsRead();
  }
};
