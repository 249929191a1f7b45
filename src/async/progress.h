#pragma once

#include <QObject>
#include <QString>

// How far a road is: what it does now and, when it counts its steps, how many of how many. The road
// and the steps it calls set it as they go; whoever shows it listens to changed() and reads value().
class Progress : public QObject {
  Q_OBJECT
 public:
  struct Value {
    QString label;  // what the road does ("他院薬歴"); empty: nothing to tell
    int done = 0;
    int total = 0;  // 0: the steps are not counted
    bool operator==(const Value&) const = default;
  };

  const Value& value() const { return value_; }
  // A new stage: its label, and how many steps it has (none counted yet).
  void set(const QString& label, int total = 0);
  // The stage's steps are counted from now: `total` of them, none done.
  void count(int total);
  // One more step of the stage done.
  void advance();
  void clear() { set(QString()); }

 signals:
  void changed();

 private:
  Value value_;
};
