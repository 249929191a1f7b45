#pragma once

#include <QString>

// The connection values the drug-information window holds between reloads.
struct OrcaConnection {
  QString baseUrl;             // stURL: cloud base URL as read; blank means not configured
  QString apiKey;              // stAPIKEY: API key (cloud) or password (on-premise), as read
  QString apiUser;             // stAPIUSER: API user (cloud) or ORCA user (on-premise), as read
  QString ownInstitutionCode;  // FSelfInstCd: the clinic's own institution code, trimmed
  int refreshMs = 60000;
  int parallel = kDefaultParallel;  // requests at once to the server; 1 sends them one by one

  static constexpr int kDefaultParallel = 4;

  bool configured() const { return !baseUrl.trimmed().isEmpty(); }
  bool operator==(const OrcaConnection&) const = default;
};

// Reads the values from user.ini, as the window's GetWebORCAInfo reloads them. The refresh interval is
// REFRESH seconds, 60 when it is not a whole number, clamped into 10..3600.
OrcaConnection ReadConnection();
int RefreshIntervalMs(const QString& refreshSetting);
// PARALLEL as a whole number from 1 to 8; anything else gives the default.
int ParallelRequests(const QString& parallelSetting);
