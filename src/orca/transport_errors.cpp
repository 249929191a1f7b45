#include "orca/transport_errors.h"

#include <utility>

namespace {

// The HTTP layer's errors that count as one of the retryable conditions. Everything else —
// connection refused, host not found, TLS failures, errors with an HTTP status — is final.
constexpr std::pair<QNetworkReply::NetworkError, RetryableCondition> kRetryable[] = {
    {QNetworkReply::ProtocolFailure, RetryableCondition::InvalidServerResponse},
    {QNetworkReply::UnknownNetworkError, RetryableCondition::InvalidServerResponse},
    {QNetworkReply::TimeoutError, RetryableCondition::TimeOut},
    {QNetworkReply::RemoteHostClosedError, RetryableCondition::ConnectionReset},
    {QNetworkReply::NetworkSessionFailedError, RetryableCondition::ConnectionReset},
    {QNetworkReply::TemporaryNetworkFailureError, RetryableCondition::Resend},
    {QNetworkReply::ProxyConnectionClosedError, RetryableCondition::Resend},
};

}  // namespace

RetryableCondition ClassifyNetworkError(QNetworkReply::NetworkError error) {
  for (const auto& [code, condition] : kRetryable) {
    if (code == error) return condition;
  }
  return RetryableCondition::None;
}

bool BreaksTheAnswer(QNetworkReply::NetworkError error) {
  if (error == QNetworkReply::NoError) return false;
  if (error == QNetworkReply::ProxyAuthenticationRequiredError) return false;  // the proxy's 407
  if (error == QNetworkReply::ProtocolInvalidOperationError) return false;     // a 400
  const int code = static_cast<int>(error);
  const bool fromStatus = (code >= 200 && code < 300) || (code >= 400 && code < 500);
  return !fromStatus;
}
