#pragma once

#include <QNetworkReply>
#include <QString>

// The four transport conditions after which a request is sent again.
enum class RetryableCondition { None, InvalidServerResponse, TimeOut, ConnectionReset, Resend };

RetryableCondition ClassifyNetworkError(QNetworkReply::NetworkError error);
