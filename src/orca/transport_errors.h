#pragma once

#include <QNetworkReply>
#include <QString>

// The four transport conditions after which a request is sent again.
enum class RetryableCondition { None, InvalidServerResponse, TimeOut, ConnectionReset, Resend };

RetryableCondition ClassifyNetworkError(QNetworkReply::NetworkError error);

// Whether an error reported beside an HTTP status means that the answer did not arrive whole: the
// connection broke off or the answer was malformed. The errors the HTTP layer derives from the
// status itself (401, 404, 500 …) leave the answer complete.
bool BreaksTheAnswer(QNetworkReply::NetworkError error);
