#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <functional>

// The files the program writes into its folder mid-day: each is a cause of its own when it cannot
// be written. (user.ini is written only when the settings window closes, which says so itself.)
enum class OwnFile { Log, Dump, PatientCache };

// Said by the writer of each of those files after every write, for whoever tells the user.
// `where`: the file; for the dump files, which are many, their folder.
void ReportWriteFailed(OwnFile file, const QString& where, const QString& reason);
void ReportWritten(OwnFile file);

// Tells the user why one of those files cannot be written, once per cause: not for every request
// or line that meets it again, only once writing it has worked since and fails anew, and then not
// sooner than kRetellMinutes after the last telling — a nearly full disk that takes small files and
// refuses large ones is one trouble, not one per request. Another place (the log moved by LOG) is
// another cause. The teller made last is in force until it is destroyed; the one before it then
// takes over again, with what it had told.
class WriteTroubleTeller {
 public:
  static constexpr int kRetellMinutes = 10;

  // `tell` gets the text of one box ("\r\n" between its lines).
  explicit WriteTroubleTeller(std::function<void(const QString& text)> tell);
  ~WriteTroubleTeller();
  WriteTroubleTeller(const WriteTroubleTeller&) = delete;
  WriteTroubleTeller& operator=(const WriteTroubleTeller&) = delete;

  bool toldAny() const { return toldAny_; }

 private:
  friend void ReportWriteFailed(OwnFile, const QString&, const QString&);
  friend void ReportWritten(OwnFile);
  void failed(OwnFile file, const QString& where, const QString& reason);
  void written(OwnFile file);

  struct Cause {
    QString where;      // as last told
    QDateTime toldAt;   // when
    bool told = false;  // and writing it has not worked since
  };
  std::function<void(const QString&)> tell_;
  WriteTroubleTeller* before_;
  std::array<Cause, 3> causes_;
  bool toldAny_ = false;
};

// What the user reads: which file or folder, the system's reason and what to check.
QString WriteTroubleText(OwnFile file, const QString& where, const QString& reason);
