#pragma once

#include <QDate>
#include <QStringList>
#include <memory>

#include "druginfo/drug_info_logic.h"
#include "recording_ui.h"
#include "scripted_orca.h"
#include "temp_program_folder.h"
#include "wait_until_idle.h"

// A fresh window logic over a loopback ORCA, on a fixed day (2024-05-01, 10:00).
class DrugInfoTest : public TempProgramFolder {
 protected:
  void SetUp() override;

  void setClock(const QDate& day, const QTime& time = QTime(10, 0));
  void answerList(const QList<AnswerReception>& receptions);
  // Data rows of the patient grid as "number|patient|name|mark".
  QStringList rows() const;
  // PARALLEL=1: the requests go one at a time, in the road's own order.
  void oneRequestAtATime();
  QStringList acceptanceBodies() const;  // bodies of the acceptance-list requests, in order
  int acceptanceRequests() const { return acceptanceBodies().size(); }

  ScriptedOrca orca;
  RecordingUi ui;
  std::unique_ptr<DrugInfoLogic> logic;
};

inline const QString kAcceptPath = QStringLiteral("api01rv2/acceptlstv2?class=03");
// A drug summary answer whose month list names one month, as ORCA writes it (the month list, not
// the echo of the start month above it, holds the months with drug information).
inline const QByteArray kOneMonthListed =
    "    <MeTrMonth_Information type=\"array\">\n      <MeTrMonth_Information_child type=\"record\">\n"
    "        <MeTrMonth type=\"string\">2024-03</MeTrMonth>\n      </MeTrMonth_Information_child>\n"
    "    </MeTrMonth_Information>\n";
inline const QString kNotConfigured = QStringLiteral("WebORCAの設定がされていません。設定してください。");
