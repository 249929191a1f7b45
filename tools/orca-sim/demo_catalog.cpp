#include "demo_catalog.h"

#include <QHash>
#include <algorithm>
#include <iterator>

namespace demo {

const Institution kSakurazaka{QStringLiteral("1310000101"), QStringLiteral("さくら坂内科クリニック")};
const Institution kMinatoHospital{QStringLiteral("1310000202"), QStringLiteral("みなと中央病院")};
const Institution kAobaOrtho{QStringLiteral("1310000303"), QStringLiteral("あおば整形外科医院")};
const Institution kHikariEye{QStringLiteral("1310000404"), QStringLiteral("ひかり眼科")};
const Institution kKomorebiDental{QStringLiteral("1330000505"), QStringLiteral("こもれび歯科医院")};
const Institution kKirariKids{QStringLiteral("1310000606"), QStringLiteral("きらり小児科クリニック")};
// A name with "&" shows that answers are escaped.
const Institution kKandSClinic{QStringLiteral("1310000707"), QStringLiteral("K&Sこころクリニック")};
const Institution kMidoriPharmacy{QStringLiteral("1340000808"), QStringLiteral("みどり調剤薬局")};
const Institution kHimawariPharmacy{QStringLiteral("1340000909"), QStringLiteral("ひまわり薬局")};

namespace {

struct DrugInfo {
  DrugInfo() = default;
  DrugInfo(const char* idClass, const char* code, const char* name, const char* unit, const char* unitCode,
           const char* usage, int perDay = 1, const char* externalDose = "")
      : idClass(QString::fromUtf8(idClass)),
        code(QString::fromUtf8(code)),
        name(QString::fromUtf8(name)),
        unit(QString::fromUtf8(unit)),
        unitCode(QString::fromUtf8(unitCode)),
        usage(QString::fromUtf8(usage)),
        perDay(perDay),
        externalDose(QString::fromUtf8(externalDose)) {}

  QString idClass, code, name, unit, unitCode, usage;
  // Doses a day, for the dose per time: 0 taken as needed (the quantity is one dose), -1 external, whose
  // quantity is the whole supply and whose dose per time is `externalDose` (none for eye drops).
  int perDay = 1;
  QString externalDose;
};

const QHash<QString, DrugInfo>& Catalog() {
  static const QHash<QString, DrugInfo> catalog{
      {"amlodipine", {"21", "699000101", "アムロジピン錠５ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"rosuvastatin", {"21", "699000102", "ロスバスタチン錠２．５ｍｇ", "錠", "017", "１日１回夕食後"}},
      {"telmisartan", {"21", "699000103", "テルミサルタン錠４０ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"metformin",
       {"21", "699000104", "メトホルミン塩酸塩錠２５０ｍｇ", "錠", "017", "１日２回朝夕食後", 2}},
      {"lansoprazole", {"21", "699000105", "ランソプラゾールＯＤ錠１５ｍｇ", "錠", "017", "１日１回朝食前"}},
      {"loxoprofen", {"21", "699000106", "ロキソプロフェンＮａ錠６０ｍｇ", "錠", "017", "１日３回毎食後", 3}},
      {"rebamipide", {"21", "699000107", "レバミピド錠１００ｍｇ", "錠", "017", "１日３回毎食後", 3}},
      {"famotidine", {"21", "699000108", "ファモチジン錠２０ｍｇ", "錠", "017", "１日２回朝夕食後", 2}},
      {"brotizolam", {"21", "699000109", "ブロチゾラム錠０．２５ｍｇ", "錠", "017", "１日１回就寝前"}},
      {"bisoprolol",
       {"21", "699000110", "ビソプロロールフマル酸塩錠２．５ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"warfarin", {"21", "699000111", "ワルファリンカリウム錠１ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"carbocisteine",
       {"21", "699000112", "カルボシステイン錠５００ｍｇ", "錠", "017", "１日３回毎食後", 3}},
      {"carbocisteine_ds",
       {"21", "699000113", "カルボシステインＤＳ５０％", "ｇ", "033", "１日３回毎食後", 3}},
      {"montelukast", {"21", "699000114", "モンテルカスト細粒４ｍｇ", "包", "027", "１日１回就寝前"}},
      {"amoxicillin",
       {"21", "699000115", "アモキシシリンカプセル２５０ｍｇ", "カプセル", "019", "１日３回毎食後", 3}},
      {"fexofenadine",
       {"21", "699000116", "フェキソフェナジン塩酸塩錠６０ｍｇ", "錠", "017", "１日２回朝夕食後", 2}},
      {"magnesium", {"21", "699000117", "酸化マグネシウム錠３３０ｍｇ", "錠", "017", "１日３回毎食後", 3}},
      // A master whose unit name is blank, its unit code set: ORCA then writes no Unit_Code_Name.
      {"sennoside", {"21", "699000118", "センノシド錠１２ｍｇ", "", "017", "１日１回就寝前"}},
      // The brand of amlodipine: another code, the same ingredient (the medication-check demo).
      {"amlodipine_brand", {"21", "699000121", "アムロジン錠５ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"acetaminophen", {"22", "699000201", "アセトアミノフェン錠２００ｍｇ", "錠", "017", "疼痛時", 0}},
      {"loxoprofen_prn", {"22", "699000106", "ロキソプロフェンＮａ錠６０ｍｇ", "錠", "017", "疼痛時", 0}},
      {"loxoprofen_tape",
       {"23", "699000301", "ロキソプロフェンＮａテープ１００ｍｇ", "枚", "012", "１日１回患部に貼付", -1,
        "1"}},
      {"heparinoid",
       {"23", "699000302", "ヘパリン類似物質油性クリーム０．３％", "ｇ", "033", "１日２回患部に塗布", -1}},
      {"hyaluronate", {"23", "699000303", "ヒアルロン酸Ｎａ点眼液０．１％", "本", "029", "１日５回点眼", -1}},
  };
  return catalog;
}

}  // namespace

QString DemoDrugName(const QString& code) {
  for (const DrugInfo& d : Catalog()) {
    if (d.code == code) return d.name;
  }
  return QString();
}

// A dose per time written as ORCA writes quantities, without trailing zeros; none when the daily
// quantity does not split evenly into the day's doses.
QString DosePerTime(const DrugInfo& d, const QString& quantity) {
  if (d.perDay < 0) return d.externalDose;
  const qint64 thousandths = qRound64(quantity.toDouble() * 1000);
  const int doses = std::max(d.perDay, 1);
  if (thousandths % doses != 0) return QString();
  QString text = QString::number(thousandths / doses / 1000.0, 'f', 3);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

OnlineDrug Drug(const QString& key, const QString& quantity, const QString& times) {
  const DrugInfo& d = Catalog()[key];
  return {d.idClass, d.code, d.name, d.unit, d.usage, quantity, times, QString(), DosePerTime(d, quantity)};
}

OwnItem OwnDrug(const QString& key, const QString& quantity) {
  const DrugInfo& d = Catalog()[key];
  return {d.code, d.name, quantity, d.unitCode, d.unit};
}

QString DrugIdClass(const QString& key) {
  return Catalog()[key].idClass;
}

}  // namespace demo

namespace {

DemoPatient Person(int id, const QString& name, const QString& kana, const QDate& birth, const QString& sex) {
  DemoPatient p;
  p.id = id;
  p.name = name;
  p.kana = kana;
  p.birth = birth;
  p.sex = sex;
  p.zip = QStringLiteral("99900%1").arg(id % 100, 2, 10, QLatin1Char('0'));
  p.address = QStringLiteral("架空県見本市みどり町%1丁目%2番").arg(id % 5 + 1).arg(id % 17 + 1);
  p.phone = QStringLiteral("000-0000-%1").arg(id, 4, 10, QLatin1Char('0'));
  const bool national = id % 3 != 0;
  p.insurerClass = national ? QStringLiteral("060") : QStringLiteral("009");
  p.insurerNumber = national ? QStringLiteral("999990") : QStringLiteral("01999990");
  p.insurerName = national ? QStringLiteral("国保") : QStringLiteral("協会");
  p.cardSymbol = QStringLiteral("架空");
  p.cardNumber = QString::number(1000 + id * 37);
  p.cardBranch = QStringLiteral("01");
  return p;
}

DemoPatient Person(int id, const char* name, const char* kana, const char* birth, const char* sex) {
  return Person(id, QString::fromUtf8(name), QString::fromUtf8(kana),
                QDate::fromString(QLatin1String(birth), Qt::ISODate), QLatin1String(sex));
}

struct NamePart {
  const char* kanji;
  const char* kana;
};

// Made-up patients are put together from these; none of the catalog's surnames, so that they stand out.
const NamePart kSurnames[] = {
    {"村上", "ムラカミ"}, {"近藤", "コンドウ"}, {"石井", "イシイ"}, {"斎藤", "サイトウ"},
    {"坂本", "サカモト"}, {"遠藤", "エンドウ"}, {"青木", "アオキ"}, {"藤井", "フジイ"},
    {"西村", "ニシムラ"}, {"福田", "フクダ"},   {"太田", "オオタ"}, {"三浦", "ミウラ"},
    {"藤原", "フジワラ"}, {"岡本", "オカモト"}, {"松田", "マツダ"}, {"中川", "ナカガワ"},
    {"中野", "ナカノ"},   {"原田", "ハラダ"},   {"小野", "オノ"},   {"田村", "タムラ"},
    {"竹内", "タケウチ"}, {"金子", "カネコ"},   {"和田", "ワダ"},   {"中山", "ナカヤマ"},
};
const NamePart kMaleNames[] = {
    {"茂", "シゲル"},   {"清", "キヨシ"},     {"勇", "イサム"},   {"昭", "アキラ"},
    {"悟", "サトル"},   {"翔太", "ショウタ"}, {"大輝", "ダイキ"}, {"拓也", "タクヤ"},
    {"和也", "カズヤ"}, {"洋一", "ヨウイチ"}, {"正人", "マサト"}, {"光男", "ミツオ"},
};
const NamePart kFemaleNames[] = {
    {"幸子", "サチコ"}, {"節子", "セツコ"}, {"久美子", "クミコ"}, {"真由美", "マユミ"},
    {"美穂", "ミホ"},   {"彩", "アヤ"},     {"結衣", "ユイ"},     {"陽菜", "ヒナ"},
    {"愛", "アイ"},     {"文子", "フミコ"}, {"典子", "ノリコ"},   {"千夏", "チナツ"},
};

QString Joined(const char* surname, const char* given) {
  return QString::fromUtf8(surname) + QStringLiteral("　") + QString::fromUtf8(given);
}

}  // namespace

QList<DemoPatient> DemoPatients() {
  return {
      Person(1, "山田　太郎", "ヤマダ　タロウ", "1952-03-14", "1"),
      Person(2, "佐藤　花子", "サトウ　ハナコ", "1961-07-02", "2"),
      Person(3, "鈴木　一郎", "スズキ　イチロウ", "1945-11-20", "1"),
      Person(4, "高橋　美咲", "タカハシ　ミサキ", "1988-05-09", "2"),
      Person(5, "田中　健二", "タナカ　ケンジ", "1975-01-30", "1"),
      Person(6, "伊藤　由美", "イトウ　ユミ", "1969-09-17", "2"),
      Person(7, "渡辺　誠", "ワタナベ　マコト", "1958-12-01", "1"),
      Person(8, "山本　さくら", "ヤマモト　サクラ", "2015-04-22", "2"),
      Person(9, "中村　浩", "ナカムラ　ヒロシ", "1950-06-11", "1"),
      Person(10, "小林　恵子", "コバヤシ　ケイコ", "1972-02-25", "2"),
      Person(11, "加藤　大輔", "カトウ　ダイスケ", "1983-08-08", "1"),
      Person(12, "吉田　明美", "ヨシダ　アケミ", "1966-10-03", "2"),
      Person(13, "山口　修", "ヤマグチ　オサム", "1948-01-19", "1"),
      Person(14, "松本　陽子", "マツモト　ヨウコ", "1979-03-27", "2"),
      Person(15, "井上　正樹", "イノウエ　マサキ", "1991-12-15", "1"),
      Person(16, "木村　和子", "キムラ　カズコ", "1940-05-05", "2"),
      Person(17, "林　健太", "ハヤシ　ケンタ", "2001-07-30", "1"),
      Person(18, "清水　直美", "シミズ　ナオミ", "1985-04-12", "2"),
      Person(19, "山崎　隆", "ヤマザキ　タカシ", "1955-09-09", "1"),
      Person(20, "森　千尋", "モリ　チヒロ", "1997-11-21", "2"),
      Person(21, "池田　勝", "イケダ　マサル", "1963-02-14", "1"),
      Person(22, "橋本　里奈", "ハシモト　リナ", "1993-06-06", "2"),
      Person(23, "阿部　進", "アベ　ススム", "1947-08-29", "1"),
      Person(24, "石川　裕子", "イシカワ　ユウコ", "1970-12-24", "2"),
      Person(25, "前田　哲也", "マエダ　テツヤ", "1981-03-03", "1"),
      Person(26, "藤田　静香", "フジタ　シズカ", "1959-10-10", "2"),
      Person(27, "小川　翔", "オガワ　ショウ", "2010-01-17", "1"),
      Person(28, "岡田　智子", "オカダ　トモコ", "1976-05-31", "2"),
      Person(29, "後藤　実", "ゴトウ　ミノル", "1944-04-04", "1"),
      Person(30, "長谷川　舞", "ハセガワ　マイ", "1999-09-01", "2"),
  };
}

QList<DemoPatient> DemoCheckPatients() {
  return {
      Person(kDuplicatePatient, "中島　正之", "ナカジマ　マサユキ", "1950-08-20", "1"),
      Person(kInteractionPatient, "小松　律子", "コマツ　リツコ", "1947-02-11", "2"),
  };
}

QList<DemoPatient> DemoVisitsPatient() {
  return {Person(kVisitsPatient, "北村　和夫", "キタムラ　カズオ", "1956-10-08", "1")};
}

QString DemoWalkInName() {
  return QStringLiteral("大森　七海");
}

QList<DemoPatient> MadeUpPatients(int firstId, int count) {
  constexpr int surnames = std::size(kSurnames), given = std::size(kMaleNames);
  QList<DemoPatient> people;
  for (int j = 0; j < count; ++j) {
    const NamePart& surname = kSurnames[j % surnames];
    const bool male = j % 2 == 0;
    // Stepping through the given names at another pace than the surnames keeps pairs from repeating.
    const NamePart* names = male ? kMaleNames : kFemaleNames;
    const NamePart& name = names[(j * 5 + j / surnames) % given];
    const QDate birth(1938 + (j * 23) % 80, 1 + (j * 5) % 12, 1 + (j * 13) % 28);
    people << Person(firstId + j, Joined(surname.kanji, name.kanji), Joined(surname.kana, name.kana), birth,
                     male ? QStringLiteral("1") : QStringLiteral("2"));
  }
  return people;
}

QList<ReceptionSeed> DemoTodaySeeds() {
  return {{1, "01", true},   {10, "01", true},  {2, "01", true},   {11, "11", true},  {4, "13", true},
          {12, "01", true},  {5, "01", true},   {13, "11", true},  {6, "01", true},   {14, "13", true},
          {7, "01", true},   {15, "01", true},  {8, "01", true},   {3, "01", false},  {16, "01", false},
          {2, "11", false},  {17, "11", false}, {18, "13", false}, {19, "01", false}, {20, "01", false},
          {21, "11", false}, {22, "01", false}};
}

QList<ReceptionSeed> DemoYesterdaySeeds() {
  return {{9, "01", true},  {23, "01", true}, {24, "13", true}, {25, "11", true},
          {26, "01", true}, {12, "01", true}, {27, "01", true}, {28, "13", true},
          {19, "01", true}, {29, "01", true}, {30, "11", true}, {21, "11", true}};
}

QList<OwnOrder> DemoRegimen(int patient, const QString& department) {
  using demo::OwnDrug;
  const OwnOrder revisit{"120", "再診", 1, {{"199000201", "再診料（架空）", "", "", ""}}};
  auto order = [](const char* cls, const char* name, int days, const QList<OwnItem>& items) {
    return OwnOrder{QLatin1String(cls), QString::fromUtf8(name), days, items};
  };
  if (department == QLatin1String("11")) {
    return {revisit, order("210", "内服", 14, {OwnDrug("loxoprofen", "3"), OwnDrug("rebamipide", "3")}),
            order("230", "外用", 1, {OwnDrug("loxoprofen_tape", "28")})};
  }
  if (department == QLatin1String("13")) {
    return {revisit, order("230", "外用", 1, {OwnDrug("heparinoid", "50")}),
            order("210", "内服", 14, {OwnDrug("fexofenadine", "2")})};
  }
  if (patient == 8) {
    return {revisit, order("210", "内服", 5, {OwnDrug("carbocisteine_ds", "0.6")}),
            order("210", "内服", 7, {OwnDrug("montelukast", "1")})};
  }
  switch (patient % 4) {
    case 0:
      return {revisit, order("210", "内服", 28, {OwnDrug("amlodipine", "1"), OwnDrug("rosuvastatin", "1")})};
    case 1:
      return {revisit, order("210", "内服", 28, {OwnDrug("amlodipine", "1")}),
              order("210", "内服", 28, {OwnDrug("metformin", "2")}),
              order("220", "頓服", 5, {OwnDrug("acetaminophen", "1")})};
    case 2:
      return {revisit,
              order("210", "内服", 14, {OwnDrug("carbocisteine", "3"), OwnDrug("magnesium", "1.5")})};
    default:
      return {revisit, order("210", "内服", 7, {OwnDrug("famotidine", "2")})};
  }
}

QList<Department> DemoDepartments() {
  return {
      {QStringLiteral("01"), QStringLiteral("内科"), QStringLiteral("10001"), QStringLiteral("見本　太一")},
      {QStringLiteral("11"), QStringLiteral("整形外科"), QStringLiteral("10002"),
       QStringLiteral("架空　次郎")},
      {QStringLiteral("13"), QStringLiteral("皮膚科"), QStringLiteral("10003"), QStringLiteral("試験　礼子")},
  };
}
