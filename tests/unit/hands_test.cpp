#include "hands.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Expected {
  uint32_t angle;
  int32_t tipX, tipY, tailX, tailY;
};

void ExpectHand(const HandSegment& hand, const Expected& e, const char* what) {
  EXPECT_EQ(hand.angle, e.angle) << what;
  EXPECT_EQ(hand.tip.x, e.tipX) << what;
  EXPECT_EQ(hand.tip.y, e.tipY) << what;
  EXPECT_EQ(hand.tail.x, e.tailX) << what;
  EXPECT_EQ(hand.tail.y, e.tailY) << what;
}

}  // namespace

TEST(ClockHands, CoordinatesOfKnownTimes) {
  struct Case {
    const char* name;
    int h, m, s;
    Expected hour, minute, second;
  } const cases[] = {
      {"12:00:00", 0, 0, 0, {0, 0, 220, 0, -55}, {0, 0, 360, 0, -72}, {0, 0, 380, 0, -76}},
      {"3:00:00", 3, 0, 0, {90, 219, 0, -54, 0}, {0, 0, 360, 0, -72}, {0, 0, 380, 0, -76}},
      {"6:00:00", 6, 0, 0, {180, 0, -219, 0, 54}, {0, 0, 360, 0, -72}, {0, 0, 380, 0, -76}},
      {"9:00:00", 9, 0, 0, {270, -219, 0, 54, 0}, {0, 0, 360, 0, -72}, {0, 0, 380, 0, -76}},
      {"6:30:45",
       6,
       30,
       45,
       {195, -56, -212, 14, 53},
       {180, 0, -359, 0, 71},
       {270, -379, 0, 75, 0}},
      {"10:10:30",
       10,
       10,
       30,
       {305, -180, 126, 45, -31},
       {60, 311, 180, -62, -36},
       {180, 0, -379, 0, 75}},
      {"1:05:05",
       1,
       5,
       5,
       {32, 116, 186, -29, -46},
       {30, 179, 311, -35, -62},
       {30, 189, 329, -37, -65}},
      {"23:59:59 as hour 11",
       11,
       59,
       59,
       {359, -3, 219, 0, -54},
       {354, -37, 358, 7, -71},
       {354, -39, 377, 7, -75}},
      {"2:00:00", 2, 0, 0, {60, 190, 110, -47, -27}, {0, 0, 360, 0, -72}, {0, 0, 380, 0, -76}},
  };
  for (const Case& c : cases) {
    const ClockHands hands(c.h, c.m, c.s);
    ExpectHand(hands.Hour(), c.hour, c.name);
    ExpectHand(hands.Minute(), c.minute, c.name);
    ExpectHand(hands.Second(), c.second, c.name);
  }
}

TEST(ClockHands, WidthsColoursAndDrawingOrder) {
  const ClockHands hands(4, 0, 10);
  EXPECT_EQ(hands.Hour().width, 36);
  EXPECT_EQ(hands.Minute().width, 18);
  EXPECT_EQ(hands.Second().width, 9);
  for (const HandSegment& hand : hands.Segments()) EXPECT_EQ(hand.colour, MakeColour(60, 60, 60));
  EXPECT_EQ(&hands.Segments()[0], &hands.Hour());
  EXPECT_EQ(&hands.Segments()[2], &hands.Second());
  EXPECT_EQ(MakeColour(60, 60, 60), 0x003C3C3Cu);
  EXPECT_EQ(ClockHands::kHubFill, 0x00E6E6E6u);
}

TEST(ClockHands, SecondsMoveNeitherTheHourNorTheMinuteHand) {
  EXPECT_EQ(ClockHands(1, 59, 0).Hour().angle, 59u);
  EXPECT_EQ(ClockHands(4, 0, 10).Hour().angle, 120u);
  EXPECT_EQ(ClockHands(4, 0, 10).Hour().tip.x, 190);
  EXPECT_EQ(ClockHands(4, 0, 10).Hour().tip.y, -109);
  EXPECT_EQ(ClockHands(4, 0, 10).Minute().angle, 0u);
  for (int s = 0; s < 60; ++s) {
    EXPECT_EQ(ClockHands(7, 33, s).Hour().tip.x, ClockHands(7, 33, 0).Hour().tip.x) << s;
    EXPECT_EQ(ClockHands(7, 33, s).Minute().tip.y, ClockHands(7, 33, 0).Minute().tip.y) << s;
  }
}

// Properties over every reachable angle that catch a rounded conversion, the exact pi / 180, a
// floor in place of truncation, or swapped axes.
TEST(ClockHands, TruncationTowardZeroAndTheAngleConstant) {
  int shortOfExact = 0;
  for (int m = 0; m < 60; ++m) {
    const HandSegment hand = ClockHands(0, m, 0).Minute();
    const double exact = m * 6 * 3.14159265358979323846 / 180;
    // Truncated, never rounded away from zero: |tip| <= |exact value|.
    EXPECT_LE(std::abs(hand.tip.x), std::abs(std::sin(exact) * 360.0) + 1e-9) << m;
    EXPECT_LE(std::abs(hand.tip.y), std::abs(std::cos(exact) * 360.0) + 1e-9) << m;
    // x follows the sine (right of centre in the first half hour), y the cosine.
    EXPECT_EQ(hand.tip.x > 0, m > 0 && m < 30) << m;
    EXPECT_EQ(hand.tip.x<0, m> 30) << m;
    EXPECT_EQ(hand.tip.y<0, m> 15 && m < 45) << m;
    // The tail is the tip divided toward zero, on the far side.
    EXPECT_EQ(hand.tail.x, hand.tip.x / -5) << m;
    EXPECT_EQ(hand.tail.y, hand.tip.y / -5) << m;
    if (static_cast<int32_t>(std::sin(exact) * 360.0) != hand.tip.x) ++shortOfExact;
  }
  // With the exact constant 30 degrees gives 180; the clock's constant gives 179.
  EXPECT_EQ(ClockHands(0, 5, 0).Minute().tip.x, 179);
  EXPECT_GT(shortOfExact, 0);
}
