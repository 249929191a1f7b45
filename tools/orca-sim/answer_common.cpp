#include "answer_common.h"

#include <QRegularExpression>

const QString kDone = QStringLiteral("処理終了");

XmlNode ResultRecord(const QString& name, const QDateTime& now, const QString& result, const QString& message,
                     const QString& reskey) {
  XmlNode r = XmlNode::Rec(name);
  r.add(QStringLiteral("Information_Date"), Ymd(now.date()))
      .add(QStringLiteral("Information_Time"), now.time().toString(QStringLiteral("HH:mm:ss")))
      .add(QStringLiteral("Api_Result"), result)
      .add(QStringLiteral("Api_Result_Message"), message)
      .add(QStringLiteral("Reskey"), reskey);
  return r;
}

XmlNode PatientBrief(const DemoPatient& p) {
  return XmlNode::Rec(
      QStringLiteral("Patient_Information"),
      {XmlNode::Val(QStringLiteral("Patient_ID"), PaddedPatientId(p.id)),
       XmlNode::Val(QStringLiteral("WholeName"), p.name),
       XmlNode::Val(QStringLiteral("WholeName_inKana"), p.kana),
       XmlNode::Val(QStringLiteral("BirthDate"), Ymd(p.birth)), XmlNode::Val(QStringLiteral("Sex"), p.sex)});
}

XmlNode QualificationRecord(const DemoPatient& p) {
  return XmlNode::Rec(QStringLiteral("QuaInf"), {XmlNode::Val(QStringLiteral("InsNum"), p.insurerNumber),
                                                 XmlNode::Val(QStringLiteral("InsCdSym"), p.cardSymbol),
                                                 XmlNode::Val(QStringLiteral("InsCdNum"), p.cardNumber),
                                                 XmlNode::Val(QStringLiteral("BrancNum"), p.cardBranch)});
}

int PatientNumber(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
  const QString t = text.trimmed();
  return digits.match(t).hasMatch() ? t.toInt() : 0;
}

QDate ParseMonth(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}$"));
  if (!form.match(text).hasMatch()) return {};
  return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), 1);
}

QDate ParseDay(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
  if (!form.match(text).hasMatch()) return {};
  return QDate(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
}

QString Ymd(const QDate& date) {
  return date.toString(QStringLiteral("yyyy-MM-dd"));
}
QString Ym(const QDate& date) {
  return date.toString(QStringLiteral("yyyy-MM"));
}
QString Day2(const QDate& date) {
  return date.toString(QStringLiteral("dd"));
}
