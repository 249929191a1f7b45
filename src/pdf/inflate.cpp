#define ZLIB_CONST
#include "pdf/inflate.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "pdf/pdf_error.h"

namespace {

constexpr int kPieceBytes = 4096;

class Inflater {
 public:
  Inflater() {
    if (inflateInit2(&z_, 15) != Z_OK) throw InflateError(QStringLiteral("zlib を初期化できません"));
  }
  ~Inflater() { inflateEnd(&z_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  z_stream* get() { return &z_; }

 private:
  z_stream z_{};
};

}  // namespace

QByteArray DecompressStream(const QByteArray& data, qsizetype offset, qsizetype len, qsizetype maxOutput) {
  if (offset < 0 || offset >= data.size() || len < 0 || len > data.size() - offset)
    throw PdfError(QStringLiteral("ストリームの範囲がデータの外にあります"));

  Inflater inflater;
  z_stream* z = inflater.get();
  const auto* in = reinterpret_cast<const Bytef*>(data.constData() + offset);
  qsizetype inLeft = len;
  auto refill = [&] {
    // avail_in is 32 bits wide; larger inputs are fed in slices.
    if (z->avail_in == 0 && inLeft > 0) {
      const uInt n = static_cast<uInt>(std::min<qsizetype>(inLeft, UINT_MAX));
      z->next_in = in;
      z->avail_in = n;
      in += n;
      inLeft -= n;
    }
  };

  // Inflated streams are usually a few times their compressed size; reserving that much spares
  // most of the regrowth of the output.
  QByteArray out;
  out.reserve(std::min(maxOutput, std::max<qsizetype>(kPieceBytes, len * 4)));
  for (;;) {
    // Each piece is inflated straight into the tail of the output.
    const qsizetype before = out.size();
    out.resize(before + kPieceBytes);
    z->next_out = reinterpret_cast<Bytef*>(out.data() + before);
    z->avail_out = kPieceBytes;
    for (;;) {
      refill();
      const int rc = inflate(z, Z_NO_FLUSH);
      if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        throw InflateError(QStringLiteral("zlib エラー %1").arg(rc));
      if (z->avail_out == 0 || rc == Z_STREAM_END) break;
      if (rc == Z_BUF_ERROR && !(z->avail_in == 0 && inLeft > 0)) break;
    }
    const qsizetype produced = kPieceBytes - z->avail_out;
    out.resize(before + produced);
    if (produced == 0) break;
    if (out.size() > maxOutput) throw InflateError(QStringLiteral("展開後のストリームが大きすぎます"));
  }
  return out;
}
