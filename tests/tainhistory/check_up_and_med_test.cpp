#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "orca/response_reader.h"
#include "tainhistory/check_up.h"
#include "tainhistory/med_get.h"
#include "temp_program_folder.h"

namespace {

const QString kSelf = QStringLiteral("9999999");

class CheckUpAndMed : public TempProgramFolder {
 protected:
  static QStringList answer(const QByteArray& bytes) { return ResponseLines(bytes); }
  TainLists lists;
};

// Treatment records of two months, in ORCA's order; InOut ends each record.
const char kTreatments[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<xmlio2>
  <onlinemedgetres type="record">
    <Api_Result type="string">000</Api_Result>
    <MeTrMonth_Information type="array">
      <MeTrMonth_Information_child type="record">
        <MeTrMonth type="string">2024-05</MeTrMonth>
        <MeTrD_Inf type="array">
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1310000033</MeTrDiHCd>
            <MeTrDiHNm type="string">ひかり医院</MeTrDiHNm>
            <InOut type="string">1</InOut>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1340000011</MeTrDiHCd>
            <MeTrDiHNm type="string">みなと薬局</MeTrDiHNm>
            <PrlsHCd type="string">1310000022</PrlsHCd>
            <PrlsHNm type="string">さくら内科</PrlsHNm>
            <InOut type="string">2</InOut>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1340000044</MeTrDiHCd>
            <MeTrDiHNm type="string">つばめ薬局</MeTrDiHNm>
            <InOut type="string">2</InOut>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1319999999</MeTrDiHCd>
            <MeTrDiHNm type="string">当院</MeTrDiHNm>
            <InOut type="string">1</InOut>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1310000033</MeTrDiHCd>
            <MeTrDiHNm type="string">ひかり医院</MeTrDiHNm>
            <InOut type="string">2</InOut>
          </MeTrD_Inf_child>
        </MeTrD_Inf>
      </MeTrMonth_Information_child>
      <MeTrMonth_Information_child type="record">
        <MeTrMonth type="string">2024-04</MeTrMonth>
        <MeTrD_Inf type="array">
          <MeTrD_Inf_child type="record">
            <InOut type="string">1</InOut>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHNm type="string">ABC医院</MeTrDiHNm>
            <MeTrDiHCd type="string">1310000055</MeTrDiHCd>
            <InOut type="string">1</InOut>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <InOut type="string">2</InOut>
          </MeTrD_Inf_child>
        </MeTrD_Inf>
      </MeTrMonth_Information_child>
    </MeTrMonth_Information>
  </onlinemedgetres>
</xmlio2>
)";

}  // namespace

TEST_F(CheckUpAndMed, checkUpDatesOfTenCharactersOrMoreAreListedOnce) {
  lists.checkUpDates = QStringList({QStringLiteral("2020-01-01")});
  ParseOnlineSpecGet01(
      answer(XmlIo2(QStringLiteral("onlinespecgetres"),
                    {ValueLine(2, QStringLiteral("Req_EffectiveTime"), QStringLiteral("2099-01-01")),
                     QStringLiteral("    <EffectiveTime_Information type=\"array\">"),
                     ValueLine(3, QStringLiteral("EffectiveTime"), QStringLiteral("2024-05-20")),
                     ValueLine(3, QStringLiteral("EffectiveTime"), QStringLiteral("2024-05")),
                     ValueLine(3, QStringLiteral("EffectiveTime"), QStringLiteral("2023-06-01")),
                     ValueLine(3, QStringLiteral("EffectiveTime"), QStringLiteral("2024-05-20")),
                     QStringLiteral("      <EffectiveTime type=\"string\"></EffectiveTime>"),
                     QStringLiteral("    </EffectiveTime_Information>")})),
      lists);
  EXPECT_EQ(lists.checkUpDates, QStringList({QStringLiteral("2020-01-01"), QStringLiteral("2024-05-20"),
                                             QStringLiteral("2023-06-01")}));
}

TEST_F(CheckUpAndMed, treatmentRecordsOfOtherInstitutionsAreListedAndLogged) {
  ParseOnlineMedGet01(answer(QByteArray(kTreatments)), kSelf, lists);
  // The empty records of 2024-04 have nothing to inherit before ABC医院 and inherit it after.
  EXPECT_EQ(lists.treatmentMonths,
            QStringList({QStringLiteral("ひかり医院=2024-05"), QStringLiteral("さくら内科=2024-05"),
                         QStringLiteral("ABC医院=2024-04")}));
  EXPECT_EQ(logMessages(), QStringList({QStringLiteral("MedGet: ひかり医院=2024-05"),
                                        QStringLiteral("MedGet: さくら内科=2024-05"),
                                        QStringLiteral("MedGet: ABC医院=2024-04")}));

  // The same answer again adds nothing and logs nothing.
  ParseOnlineMedGet01(answer(QByteArray(kTreatments)), kSelf, lists);
  EXPECT_EQ(lists.treatmentMonths.size(), 3);
  EXPECT_EQ(logMessages().size(), 3);
}

TEST_F(CheckUpAndMed, aRecordBeforeAnyMonthAddsNothing) {
  ParseOnlineMedGet01(answer(XmlIo2(QStringLiteral("onlinemedgetres"),
                                    {ValueLine(2, QStringLiteral("MeTrDiHCd"), QStringLiteral("1310000033")),
                                     ValueLine(2, QStringLiteral("MeTrDiHNm"), QStringLiteral("ひかり医院")),
                                     ValueLine(2, QStringLiteral("InOut"), QStringLiteral("1"))})),
                      kSelf, lists);
  EXPECT_TRUE(lists.treatmentMonths.isEmpty());
}
