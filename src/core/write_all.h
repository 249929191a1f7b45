#pragma once

#include <QByteArray>
#include <QFileDevice>

// Writes every byte to a file opened unbuffered, or stops at the first refusal: the device's
// errorString() then holds the system's own reason ("No space left on device", "File too large").
// (Through Qt's buffer a short write shows only at the flush, as an unknown error, and QSaveFile's
// commit does not see it at all: it would put a cut file in the old one's place.)
inline bool WriteAll(QFileDevice& file, const QByteArray& bytes) {
  for (qint64 done = 0; done < bytes.size();) {
    const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
    if (written <= 0) return false;
    done += written;
  }
  return true;
}
