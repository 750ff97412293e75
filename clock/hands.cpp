#include "hands.h"

#include <cmath>

namespace {

HandSegment MakeHand(uint32_t angle, double length, int32_t tailDivisor, int32_t width) {
  HandSegment hand;
  hand.angle = angle;
  const double theta = static_cast<double>(angle) * ClockHands::kRadiansPerDegree;
  // Conversion to an integer truncates toward zero; the tail's integer division does too.
  hand.tip.x = static_cast<int32_t>(std::sin(theta) * length);
  hand.tip.y = static_cast<int32_t>(std::cos(theta) * length);
  hand.tail.x = hand.tip.x / tailDivisor;
  hand.tail.y = hand.tip.y / tailDivisor;
  hand.width = width;
  hand.colour = ClockHands::kHandColour;
  return hand;
}

}  // namespace

ClockHands::ClockHands(int32_t hour, int32_t minute, int32_t second)
    : m_segments{
          MakeHand(static_cast<uint32_t>(hour) * 30u + static_cast<uint32_t>(minute) / 2u, 220.0,
                   -4, 36),
          MakeHand(static_cast<uint32_t>(minute) * 6u, 360.0, -5, 18),
          MakeHand(static_cast<uint32_t>(second) * 6u, 380.0, -5, 9),
      } {}
