#include "game/Random.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

using namespace mofurin;

TEST(Random, ValuesStayBelowOneEvenAtTheTopOfTheRange) {
  Random random([] { return 1u; });
  float highest = 0;
  for (int i = 0; i < 200000; ++i) {
    const float v = random.next();
    ASSERT_GE(v, 0.0f);
    ASSERT_LT(v, 1.0f);
    highest = std::max(highest, v);
  }
  EXPECT_GT(highest, 0.999f);
}

TEST(Random, QueuedValuesComeFirstThenTheGeneratorResumes) {
  Random a([] { return 5u; });
  Random b([] { return 5u; });
  a.queue(0.25f);
  a.queue(0.999f);
  EXPECT_EQ(a.next(), 0.25f);
  EXPECT_EQ(a.next(), 0.999f);
  EXPECT_EQ(a.next(), b.next());  // the queue did not consume generator draws
}

TEST(Random, TheSameSeedGivesTheSameSequence) {
  Random a, b;
  a.seed(77);
  b.seed(77);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.next(), b.next());
}

TEST(Random, SeedingFromTheClockKeepsQueuedValues) {
  Random r([] { return 9u; });
  r.queue(0.5f);
  r.seedFromClock();
  EXPECT_EQ(r.next(), 0.5f);
}
