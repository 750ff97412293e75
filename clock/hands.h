// The clock's hand geometry, without any window system: a logical square of 1000 x 1000 units with
// the origin at the centre and y upward.
#pragma once

#include <array>
#include <cstdint>

using Colour = uint32_t;  // a COLORREF: 0x00BBGGRR

constexpr Colour MakeColour(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}

struct LogicalPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct HandSegment {
  uint32_t angle = 0;  // whole degrees clockwise from 12 o'clock
  LogicalPoint tip;
  LogicalPoint tail;
  int32_t width = 0;  // pen width in logical units
  Colour colour = 0;
};

struct LogicalRect {
  int32_t left, top, right, bottom;
};

class ClockHands {
 public:
  static constexpr int32_t kLogicalExtent = 1000;
  static constexpr LogicalRect kHubRect{-20, -20, 20, 20};
  static constexpr Colour kHubFill = MakeColour(230, 230, 230);
  static constexpr Colour kHandColour = MakeColour(60, 60, 60);
  // Slightly less than pi / 180: each hand stands a hair counter-clockwise of its exact angle.
  static constexpr double kRadiansPerDegree = 0.017453292;

  // hour 0-11, minute and second 0-59; nothing is validated or clamped.
  ClockHands(int32_t hour, int32_t minute, int32_t second);

  // In drawing order: hour, minute, second.
  const std::array<HandSegment, 3>& Segments() const { return m_segments; }
  const HandSegment& Hour() const { return m_segments[0]; }
  const HandSegment& Minute() const { return m_segments[1]; }
  const HandSegment& Second() const { return m_segments[2]; }

 private:
  std::array<HandSegment, 3> m_segments;
};
