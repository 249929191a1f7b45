#pragma once

#include <QByteArray>
#include <QString>

class QNetworkReply;

// Whether an answer that the HTTP layer reported as finished is shorter than it announced. The
// layer does not always notice itself: a chunked answer whose connection closes before the last
// chunk comes out as finished. ORCA answers with whole XML documents, so a chunked answer must end
// by closing the element it opened; an answer with a length must have that length.
bool AnswerCutShort(const QNetworkReply& reply, const QByteArray& content);

// True when the text begins a document element (after a byte-order mark, blanks, the XML
// declaration, comments and a document type) that it does not close at its end. Text that is no
// markup at all is not judged.
bool MarkupLeftOpen(const QByteArray& text);

inline const QString kCutShortMessage =
    QStringLiteral("The connection closed before the whole answer arrived");
