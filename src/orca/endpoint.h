#pragma once

#include <QString>
#include <optional>

struct Endpoint {
  QString url;               // as logged and as sent (a query value percent-encoded when it needs to be)
  bool restrictTo12 = true;  // cloud mode: the client allows TLS 1.2 alone
};

// Mode "2" with an address: plain HTTP to the on-premise server on port 8000. Any other mode:
// the cloud base URL followed directly by the API path, over TLS 1.2 only. Mode and address are
// read from user.ini on every call, so a change takes effect at the next request.
Endpoint ResolveEndpoint(const QString& baseUrl, const QString& apiPath);

// The API path with the value of its query (the text after the first "=" following "?")
// percent-encoded wherever it holds anything but ASCII letters and digits.
QString EncodeApiPath(const QString& apiPath);

// ORCA's own HTTP server serves the API at "/api01rv2/…" and answers WebORCA's "/api/api01rv2/…"
// with 400. A URL in WebORCA's form, as the classic server wants it, and the server both forms
// address (the URL before the "/api" segment); nothing for a URL whose path is not in that form.
struct ClassicForm {
  QString url;
  QString server;
};
std::optional<ClassicForm> ClassicFormOf(const QString& url);
