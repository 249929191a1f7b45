#pragma once

#include <QDate>
#include <QStringList>
#include <memory>

#include <gtest/gtest.h>

#include "druginfo/drug_info_logic.h"
#include "end_to_end_road.h"
#include "orca_sim_process.h"
#include "recording_ui.h"
#include "temp_program_folder.h"
#include "wait_until_idle.h"

// The window logic with a user.ini pointing at a freshly started orca-sim, push notifications off.
// The program's clock and the simulator's demo data are pinned to the same day, so a run across
// midnight stays consistent.
class EndToEndTest : public TempProgramFolder, public testing::WithParamInterface<EndToEndRoad> {
 protected:
  void SetUp() override;
  virtual EndToEndRoad road() const { return GetParam(); }

  // Data rows of the patient grid as "number|patient|name|mark".
  QStringList rows() const;

  QDate today;
  OrcaSimProcess sim;
  QString simUrl;  // "http://127.0.0.1:<port>"
  RecordingUi ui;
  std::unique_ptr<DrugInfoLogic> logic;
};
