#pragma once

#include <QString>

// The boxes the roads below the windows ask for, worded once.
inline const QString kNotConfiguredText = QStringLiteral("WebORCAの設定がされていません。設定してください。");
inline const QString kNoPatientAnswerText = QStringLiteral("患者情報を取得できませんでした。");
inline const QString kPatientNotFoundText = QStringLiteral("該当する患者が見つかりませんでした。");
inline const QString kNoCacheText =
    QStringLiteral("患者キャッシュがありません。\r\n受付一覧を読み込むと自動的に蓄積されます。");
