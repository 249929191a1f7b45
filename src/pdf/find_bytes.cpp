#include "pdf/find_bytes.h"

#include <cstring>

qsizetype FindBytes(QByteArrayView data, QByteArrayView pattern, qsizetype startPos) {
  if (startPos < 0) startPos = 0;
  const qsizetype n = data.size();
  const qsizetype m = pattern.size();
  if (startPos > n - m) return -1;
  if (m == 0) return startPos;
  const char* base = data.data();
  const char first = pattern.front();
  const qsizetype last = n - m;  // the greatest offset a match can start at
  qsizetype i = startPos;
  while (i <= last) {
    // memchr finds the candidates; whole files and inflated streams are scanned this way.
    const void* hit = std::memchr(base + i, first, static_cast<size_t>(last - i + 1));
    if (!hit) return -1;
    i = static_cast<const char*>(hit) - base;
    qsizetype k = 1;
    while (k < m && base[i + k] == pattern[k]) ++k;
    if (k == m) return i;
    ++i;
  }
  return -1;
}
