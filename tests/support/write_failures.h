#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/resource.h>

#include <csignal>
#endif

// Real write failures for the tests, which run as root, so that a folder made read-only would not stop
// a single write. Both exist on Linux only; the tests that need them skip elsewhere.
//
// - ReplaceWithFullDevice: the file becomes a link to /dev/full, whose every write fails with ENOSPC
//   ("No space left on device") — for a file the program appends to, such as Log.txt.
// - FileSizeLimit: while it stands, no file of this process grows beyond `bytes`; a write past that
//   fails with EFBIG ("File too large") instead of raising SIGXFSZ — for files written whole. It holds
//   for every file the process writes (a test's own output to a file too, not to a pipe), so a test
//   keeps the files that must go on working below it.
inline constexpr bool kRealWriteFailures =
#ifdef Q_OS_LINUX
    true;
#else
    false;
#endif

inline bool ReplaceWithFullDevice(const QString& path) {
  QFile::remove(path);
  return QFile::link(QStringLiteral("/dev/full"), path);
}

// What the system says of each failure, as the program passes it on.
inline const QString kFullDeviceReason = QStringLiteral("No space left on device");
inline const QString kFileTooLargeReason = QStringLiteral("File too large");

class FileSizeLimit {
 public:
  explicit FileSizeLimit(qint64 bytes) {
#ifdef Q_OS_LINUX
    getrlimit(RLIMIT_FSIZE, &before_);
    ignored_ = std::signal(SIGXFSZ, SIG_IGN);
    Apply(bytes);
#else
    Q_UNUSED(bytes);
#endif
  }
  ~FileSizeLimit() {
#ifdef Q_OS_LINUX
    setrlimit(RLIMIT_FSIZE, &before_);
    std::signal(SIGXFSZ, ignored_);
#endif
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // For a child process, between its fork and its exec (QProcess::setChildProcessModifier).
  static void Apply(qint64 bytes) {
#ifdef Q_OS_LINUX
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
#else
    Q_UNUSED(bytes);
#endif
  }

 private:
#ifdef Q_OS_LINUX
  rlimit before_{};
  void (*ignored_)(int) = SIG_DFL;
#endif
};
