#pragma once

#include <QString>

// The built-in base URL of the cloud API (https, port 443, path "/api/"), set at configure time.
QString CloudBaseUrl();

// The path the connection test asks for: a patient request for patient 00001.
inline const QString kConnectionTestApiPath = QStringLiteral("api01rv2/patientgetv2?id=00001");

// What the log shows in place of the password: the log must never hold a secret.
inline const QString kPasswordMask = QStringLiteral("********");

// The connection test's URL from the window's fields, untrimmed, except that on-premise mode —
// chosen by its radio button alone — always goes to port 8000 of the trimmed IP address.
QString ConnectionTestUrl(const QString& baseUrl, const QString& apiPath, bool onPremise,
                          const QString& ipAddress);

// "ログイン成功 Code=200" and the other texts by HTTP status.
QString LoginResultText(int status);
