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
