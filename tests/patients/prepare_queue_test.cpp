#include "patients/prepare_queue.h"

#include <gtest/gtest.h>

#include <functional>

#include "qt_printers.h"

namespace {

const QDateTime kTen(QDate(2026, 12, 11), QTime(10, 0));

QDateTime At(int minutes, int seconds = 0) {
  return kTen.addSecs(minutes * 60 + seconds);
}

// Prepares whoever is next at `now`, whole; what it prepared, "" when none was due.
QString PrepareNext(PrepareQueue& queue, const QDateTime& now, int kept = 0, bool whole = true) {
  const std::optional<QString> next = queue.next(now, kept, 200);
  if (!next) return {};
  queue.began(*next);
  queue.ended(*next, now, whole);
  return *next;
}

}  // namespace

// Pushed patients first, in the order named, then the others as received; each once until due again.
TEST(PrepareQueue, pushedFirstThenAsReceivedEachOnce) {
  PrepareQueue queue;
  queue.named(QStringLiteral("00003"));  // named before the list that receives them
  queue.listed({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("002")});
  QStringList order;
  for (QString next = PrepareNext(queue, kTen); !next.isEmpty(); next = PrepareNext(queue, kTen))
    order << next;
  EXPECT_EQ(order, (QStringList{"3", "1", "2"}));
}

// When a prepared patient is due again, and whether what was kept still stands.
TEST(PrepareQueue, dueAgainAndFresh) {
  const struct {
    const char* what;
    std::function<void(PrepareQueue&)> meanwhile;  // after patient 1 was prepared at 10:00
    QDateTime at;
    bool due;
    bool fresh;
  } cases[] = {
      {"nothing happened", [](PrepareQueue&) {}, At(9, 59), false, true},
      {"ten minutes old", [](PrepareQueue&) {}, At(10), true, false},
      {"named by a pushed event", [](PrepareQueue& q) { q.named(QStringLiteral("00001")); }, At(1), true,
       false},
      {"a later probe found the mark", [](PrepareQueue& q) { q.markFound(QStringLiteral("1")); }, At(1), true,
       false},
      {"a retry not whole: a minute's rest",
       [](PrepareQueue& q) {
         q.named(QStringLiteral("1"));
         q.began(QStringLiteral("1"));
         q.ended(QStringLiteral("1"), At(2), false);
       },
       At(2, 59), false, false},
      {"a retry not whole: tried again after the minute",
       [](PrepareQueue& q) {
         q.began(QStringLiteral("1"));
         q.ended(QStringLiteral("1"), At(2), false);
       },
       At(3), true, false},
      {"named while being prepared: due again after it",
       [](PrepareQueue& q) {
         q.began(QStringLiteral("1"));
         q.named(QStringLiteral("1"));
         q.ended(QStringLiteral("1"), At(1), true);
       },
       At(1), true, false},
  };
  for (const auto& c : cases) {
    PrepareQueue queue;
    queue.listed({QStringLiteral("1")});
    ASSERT_EQ(PrepareNext(queue, kTen), QStringLiteral("1"));
    c.meanwhile(queue);
    EXPECT_EQ(queue.next(c.at, 1, 200).has_value(), c.due) << c.what;
    EXPECT_EQ(queue.fresh(QStringLiteral("1"), c.at), c.fresh) << c.what;
  }
}

// A patient who no longer waits is forgotten and never prepared; a full day prepares nobody new, but
// those kept are still prepared again.
TEST(PrepareQueue, whoWaitsAndTheBound) {
  PrepareQueue queue;
  queue.listed({QStringLiteral("1"), QStringLiteral("2")});
  ASSERT_EQ(PrepareNext(queue, kTen), QStringLiteral("1"));
  EXPECT_EQ(queue.listed({QStringLiteral("2")}), QStringList{QStringLiteral("1")});
  EXPECT_FALSE(queue.waits(QStringLiteral("1")));
  EXPECT_FALSE(queue.fresh(QStringLiteral("1"), kTen));
  queue.ended(QStringLiteral("1"), kTen, true);  // a preparation that ends after the billing keeps nothing
  EXPECT_FALSE(queue.fresh(QStringLiteral("1"), kTen));

  EXPECT_EQ(queue.next(kTen, 200, 200), std::nullopt);  // 2 never prepared, the day full
  EXPECT_EQ(PrepareNext(queue, kTen, 199), QStringLiteral("2"));
  EXPECT_EQ(queue.next(At(10), 200, 200), QStringLiteral("2"));  // kept, so prepared again
  queue.clear();
  EXPECT_FALSE(queue.waits(QStringLiteral("2")));
  EXPECT_EQ(queue.next(kTen, 0, 200), std::nullopt);
}
