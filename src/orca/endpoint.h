#pragma once

#include <QString>

struct Endpoint {
  QString url;              // as logged and as sent (a query value percent-encoded when it needs to be)
  bool restrictTo12 = true;  // cloud mode: the client allows TLS 1.2 alone
};

// Mode "2" with an address: plain HTTP to the on-premise server on port 8000. Any other mode:
// the cloud base URL followed directly by the API path, over TLS 1.2 only. Mode and address are
// read from user.ini on every call, so a change takes effect at the next request.
Endpoint ResolveEndpoint(const QString& stURL, const QString& apiPath);

// The API path with the value of its query (the text after the first "=" following "?")
// percent-encoded wherever it holds anything but ASCII letters and digits.
QString EncodeApiPath(const QString& apiPath);
