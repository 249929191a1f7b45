// Text extraction of real documents against zlib's inflate of the same streams alone: the
// difference is what the scan, the CMaps and the text operators cost on top of decompression.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <QFile>
#include <QString>

#include "pdf/stream_scan.h"

namespace {

QByteArray Fixture(const char* name) {
  QFile file(QStringLiteral(RINMED_PDF_DATA_DIR "/") + QString::fromUtf8(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

const char* const kFiles[] = {"multipage.pdf", "druginfo.pdf"};

void ExtractText(benchmark::State& state) {
  const QByteArray data = Fixture(kFiles[state.range(0)]);
  state.SetLabel(kFiles[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(ExtractTextFromPdfData(data));
  state.SetBytesProcessed(state.iterations() * data.size());
}

void ExtractTextFromFile(benchmark::State& state) {
  const QString path = QStringLiteral(RINMED_PDF_DATA_DIR "/") + QString::fromUtf8(kFiles[state.range(0)]);
  state.SetLabel(kFiles[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(ExtractTextFromPdf(path));
}

// The reader's own inflation step alone: every stream kept in memory, as the CMap pass needs.
void InflateStreamsStep(benchmark::State& state) {
  const QByteArray data = Fixture(kFiles[state.range(0)]);
  state.SetLabel(kFiles[state.range(0)]);
  for (auto _ : state) benchmark::DoNotOptimize(InflateStreams(data));
  state.SetBytesProcessed(state.iterations() * data.size());
}

// Every stream body of the file through inflate, output thrown away: the floor for any reader
// that must decompress the streams.
void InflateOnly(benchmark::State& state) {
  const QByteArray data = Fixture(kFiles[state.range(0)]);
  const QList<StreamBody> bodies = FindStreamBodies(data);
  state.SetLabel(kFiles[state.range(0)]);
  static unsigned char out[65536];
  for (auto _ : state) {
    for (const StreamBody& body : bodies) {
      z_stream z{};
      inflateInit2(&z, 15);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData() + body.offset));
      z.avail_in = static_cast<uInt>(body.length);
      int rc = Z_OK;
      do {
        z.next_out = out;
        z.avail_out = sizeof out;
        rc = inflate(&z, Z_NO_FLUSH);
      } while (rc == Z_OK && z.avail_out == 0);
      benchmark::DoNotOptimize(out);
      inflateEnd(&z);
    }
  }
  state.SetBytesProcessed(state.iterations() * data.size());
}

}  // namespace

BENCHMARK(ExtractText)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExtractTextFromFile)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(InflateStreamsStep)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(InflateOnly)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
