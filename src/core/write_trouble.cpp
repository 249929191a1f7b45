#include "core/write_trouble.h"

#include <QDir>

#include "core/clock.h"

namespace {

WriteTroubleTeller*& InForce() {
  static WriteTroubleTeller* teller = nullptr;
  return teller;
}

std::size_t IndexOf(OwnFile file) {
  return static_cast<std::size_t>(file);
}

}  // namespace

void ReportWriteFailed(OwnFile file, const QString& where, const QString& reason) {
  if (WriteTroubleTeller* teller = InForce()) teller->failed(file, where, reason);
}

void ReportWritten(OwnFile file) {
  if (WriteTroubleTeller* teller = InForce()) teller->written(file);
}

WriteTroubleTeller::WriteTroubleTeller(std::function<void(const QString& text)> tell)
    : tell_(std::move(tell)), before_(InForce()) {
  InForce() = this;
}

// Tellers end in the reverse order of their making; one that ends out of turn is taken out of the chain.
WriteTroubleTeller::~WriteTroubleTeller() {
  WriteTroubleTeller** link = &InForce();
  while (*link && *link != this) link = &(*link)->before_;
  if (*link) *link = before_;
}

void WriteTroubleTeller::failed(OwnFile file, const QString& where, const QString& reason) {
  Cause& cause = causes_[IndexOf(file)];
  const QDateTime now = Now();
  if (cause.where == where && cause.toldAt.isValid()) {
    if (cause.told) return;                                       // still the trouble told
    if (now < cause.toldAt.addSecs(kRetellMinutes * 60)) return;  // back again, but so soon
  }
  cause = Cause{where, now, true};
  toldAny_ = true;
  tell_(WriteTroubleText(file, where, reason));
}

void WriteTroubleTeller::written(OwnFile file) {
  causes_[IndexOf(file)].told = false;
}

QString WriteTroubleText(OwnFile file, const QString& where, const QString& reason) {
  const QString place = QDir::toNativeSeparators(where);
  const QString why = QStringLiteral("原因: ") + reason + QStringLiteral("\r\n\r\n");
  switch (file) {
    case OwnFile::Log:
      return QStringLiteral("ログファイルに書き込めません。\r\n") + place + QStringLiteral("\r\n") + why +
             QStringLiteral(
                 "ディスクの空き容量と、このファイルへの書き込み権限を確認してください。\r\n"
                 "書き込めるようになるまで、ORCAへの問い合わせはできません。");
    case OwnFile::Dump:
      return QStringLiteral("ORCAの応答をファイルに保存できません。\r\nフォルダー: ") + place +
             QStringLiteral("\r\n") + why +
             QStringLiteral(
                 "ディスクの空き容量と、このフォルダーへの書き込み権限を確認してください。\r\n"
                 "保存できるようになるまで、ORCAから受け取った情報は表示されません。");
    case OwnFile::PatientCache:
      return QStringLiteral("患者キャッシュに書き込めません。\r\n") + place + QStringLiteral("\r\n") + why +
             QStringLiteral(
                 "ディスクの空き容量と、このファイルへの書き込み権限を確認してください。\r\n"
                 "受付一覧はこのまま使えますが、新しい患者は漢字氏名で検索できません。");
  }
  return QString();
}
