#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <string>

// How the requests travel: one at a time, four at once, or four at once to a simulator that
// answers in a shuffled order. Every end-to-end result must be the same on each road.
struct EndToEndRoad {
  const char* name;
  int parallel;              // PARALLEL
  QStringList simArguments;  // besides the port and the day
};

inline const EndToEndRoad kEveryRoad[] = {
    {"oneAtATime", 1, {}},
    {"fourAtOnce", 4, {}},
    {"fourAtOnceShuffled", 4, {QStringLiteral("--jitter"), QStringLiteral("25")}},
};

// Servers that differ from the simulator's default in what a real clinic may have: ORCA's own HTTP
// server, which refuses WebORCA's path and serves the classic one; answers written on one line;
// a server that refuses without ever asking for credentials. The screens must be the same.
inline const EndToEndRoad kServerKinds[] = {
    {"classicServer", 4, {QStringLiteral("--classic")}},
    {"compactAnswers", 4, {QStringLiteral("--compact")}},
    {"neverChallenges", 1, {QStringLiteral("--no-challenge")}},
};

// A test's name for the road.
inline std::string RoadName(const testing::TestParamInfo<EndToEndRoad>& info) {
  return info.param.name;
}
