#include "demo_catalog.h"

#include <QHash>

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
  QString idClass, code, name, unit, unitCode, usage;
};

const QHash<QString, DrugInfo>& Catalog() {
  static const QHash<QString, DrugInfo> catalog{
      {"amlodipine", {"21", "699000101", "アムロジピン錠５ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"rosuvastatin", {"21", "699000102", "ロスバスタチン錠２．５ｍｇ", "錠", "017", "１日１回夕食後"}},
      {"telmisartan", {"21", "699000103", "テルミサルタン錠４０ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"metformin", {"21", "699000104", "メトホルミン塩酸塩錠２５０ｍｇ", "錠", "017", "１日２回朝夕食後"}},
      {"lansoprazole", {"21", "699000105", "ランソプラゾールＯＤ錠１５ｍｇ", "錠", "017", "１日１回朝食前"}},
      {"loxoprofen", {"21", "699000106", "ロキソプロフェンＮａ錠６０ｍｇ", "錠", "017", "１日３回毎食後"}},
      {"rebamipide", {"21", "699000107", "レバミピド錠１００ｍｇ", "錠", "017", "１日３回毎食後"}},
      {"famotidine", {"21", "699000108", "ファモチジン錠２０ｍｇ", "錠", "017", "１日２回朝夕食後"}},
      {"brotizolam", {"21", "699000109", "ブロチゾラム錠０．２５ｍｇ", "錠", "017", "１日１回就寝前"}},
      {"bisoprolol",
       {"21", "699000110", "ビソプロロールフマル酸塩錠２．５ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"warfarin", {"21", "699000111", "ワルファリンカリウム錠１ｍｇ", "錠", "017", "１日１回朝食後"}},
      {"carbocisteine", {"21", "699000112", "カルボシステイン錠５００ｍｇ", "錠", "017", "１日３回毎食後"}},
      {"carbocisteine_ds", {"21", "699000113", "カルボシステインＤＳ５０％", "ｇ", "033", "１日３回毎食後"}},
      {"montelukast", {"21", "699000114", "モンテルカスト細粒４ｍｇ", "包", "027", "１日１回就寝前"}},
      {"amoxicillin",
       {"21", "699000115", "アモキシシリンカプセル２５０ｍｇ", "カプセル", "019", "１日３回毎食後"}},
      {"fexofenadine",
       {"21", "699000116", "フェキソフェナジン塩酸塩錠６０ｍｇ", "錠", "017", "１日２回朝夕食後"}},
      {"magnesium", {"21", "699000117", "酸化マグネシウム錠３３０ｍｇ", "錠", "017", "１日３回毎食後"}},
      {"acetaminophen", {"22", "699000201", "アセトアミノフェン錠２００ｍｇ", "錠", "017", "疼痛時"}},
      {"loxoprofen_prn", {"22", "699000106", "ロキソプロフェンＮａ錠６０ｍｇ", "錠", "017", "疼痛時"}},
      {"loxoprofen_tape",
       {"23", "699000301", "ロキソプロフェンＮａテープ１００ｍｇ", "枚", "012", "１日１回患部に貼付"}},
      {"heparinoid",
       {"23", "699000302", "ヘパリン類似物質油性クリーム０．３％", "ｇ", "033", "１日２回患部に塗布"}},
      {"hyaluronate", {"23", "699000303", "ヒアルロン酸Ｎａ点眼液０．１％", "本", "029", "１日５回点眼"}},
  };
  return catalog;
}

}  // namespace

OnlineDrug Drug(const QString& key, const QString& quantity, const QString& times) {
  const DrugInfo& d = Catalog()[key];
  return {d.idClass, d.code, d.name, d.unit, d.usage, quantity, times};
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

DemoPatient Person(int id, const char* name, const char* kana, const char* birth, const char* sex) {
  DemoPatient p;
  p.id = id;
  p.name = QString::fromUtf8(name);
  p.kana = QString::fromUtf8(kana);
  p.birth = QDate::fromString(QLatin1String(birth), Qt::ISODate);
  p.sex = QLatin1String(sex);
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

QList<Department> DemoDepartments() {
  return {
      {QStringLiteral("01"), QStringLiteral("内科"), QStringLiteral("10001"), QStringLiteral("見本　太一")},
      {QStringLiteral("11"), QStringLiteral("整形外科"), QStringLiteral("10002"),
       QStringLiteral("架空　次郎")},
      {QStringLiteral("13"), QStringLiteral("皮膚科"), QStringLiteral("10003"), QStringLiteral("試験　礼子")},
  };
}
