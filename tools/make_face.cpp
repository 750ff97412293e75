// Draws the clock's face, a 145 x 145 24-bit bitmap: silver rim, white dial, black minute ticks,
// the numerals 1 to 12, a rosette and the maker's name in the middle, white corners.
// make_face OUTPUT.bmp
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "image_file.h"

namespace {

constexpr int kSize = 145;
constexpr double kCentre = 73.0;  // the hands turn about client pixel (73, 73)
constexpr double kRadius = 72.5;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

struct Segment {
  double x0, y0, x1, y1;
};

double DistanceToSegment(double px, double py, const Segment& s) {
  const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((px - s.x0) * dx + (py - s.y0) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = s.x0 + t * dx - px, ey = s.y0 + t * dy - py;
  return std::sqrt(ex * ex + ey * ey);
}

// Stroke glyphs on a 4 x 6 grid, y downward; each polyline is a list of points.
using Polyline = std::vector<std::pair<double, double>>;
std::vector<Polyline> Glyph(char c) {
  const Polyline zero{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}};
  switch (c) {
    case '0':
    case 'O':
      return {zero};
    case '1':
      return {{{1, 1}, {2, 0}, {2, 6}}, {{1, 6}, {3, 6}}};
    case '2':
      return {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2}, {0, 6}, {4, 6}}};
    case '3':
      return {{{0, 0}, {4, 0}, {2, 2.5}, {3, 2.5}, {4, 3.5}, {4, 5}, {3, 6}, {1, 6}, {0, 5}}};
    case '4':
      return {{{3, 6}, {3, 0}, {0, 4}, {4, 4}}};
    case '5':
      return {{{4, 0}, {0, 0}, {0, 2.5}, {3, 2.5}, {4, 3.5}, {4, 5}, {3, 6}, {0, 6}}};
    case '6':
      return {
          {{3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3.5}, {3, 2.5}, {0, 2.5}}};
    case '7':
      return {{{0, 0}, {4, 0}, {1.5, 6}}};
    case '8':
      return {{{1, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {1, 3}, {0, 2}, {0, 1}, {1, 0}},
              {{1, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 4}, {1, 3}}};
    case '9':
      return {
          {{4, 3.5}, {1, 3.5}, {0, 2.5}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}}};
    case 'H':
      return {{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}};
    case 'R':
      return {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}};
    case 'A':
      return {{{0, 6}, {2, 0}, {4, 6}}, {{0.7, 4}, {3.3, 4}}};
    case 'L':
      return {{{0, 0}, {0, 6}, {4, 6}}};
    case 'U':
      return {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}};
    case 'X':
      return {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}};
  }
  return {};
}

// The segments of a text centred at (cx, cy), glyphs `height` pixels high.
std::vector<Segment> Text(const std::string& text, double cx, double cy, double height) {
  const double unit = height / 6;
  const double advance = 5.6 * unit;
  const double width = advance * static_cast<double>(text.size()) - 1.6 * unit;
  double x = cx - width / 2;
  const double y = cy - height / 2;
  std::vector<Segment> out;
  for (char c : text) {
    for (const Polyline& line : Glyph(c))
      for (size_t i = 1; i < line.size(); ++i)
        out.push_back({x + line[i - 1].first * unit, y + line[i - 1].second * unit,
                       x + line[i].first * unit, y + line[i].second * unit});
    x += advance;
  }
  return out;
}

struct Ink {
  std::vector<Segment> segments;
  double halfWidth;
  Rgb colour;
};

std::vector<Ink> Markings() {
  std::vector<Ink> inks;
  Ink minutes{{}, 0.45, {0, 0, 0}}, hours{{}, 0.95, {0, 0, 0}}, numerals{{}, 0.8, {0, 0, 0}};
  for (int i = 0; i < 60; ++i) {
    const double a = i * kPi / 30;
    const double sx = std::sin(a), sy = -std::cos(a);
    const bool hour = i % 5 == 0;
    const double inner = kRadius * (hour ? 0.76 : 0.81), outer = kRadius * 0.87;
    (hour ? hours : minutes)
        .segments.push_back({kCentre + sx * inner, kCentre + sy * inner, kCentre + sx * outer,
                             kCentre + sy * outer});
  }
  for (int n = 1; n <= 12; ++n) {
    const double a = n * kPi / 6;
    const double r = kRadius * 0.61;
    const std::vector<Segment> glyphs =
        Text(std::to_string(n), kCentre + std::sin(a) * r, kCentre - std::cos(a) * r, 9.5);
    numerals.segments.insert(numerals.segments.end(), glyphs.begin(), glyphs.end());
  }
  inks.push_back(minutes);
  inks.push_back(hours);
  inks.push_back(numerals);
  inks.push_back({Text("HORALUX", kCentre, kCentre + kRadius * 0.36, 4.6), 0.42, {96, 104, 122}});
  return inks;
}

Rgb Blend(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The colour at one point of the face, before the markings.
Rgb Ground(double x, double y) {
  const double dx = x - kCentre, dy = y - kCentre;
  const double d = std::sqrt(dx * dx + dy * dy);
  const Rgb white{255, 255, 255};
  if (d > kRadius) return white;
  const double rimInner = kRadius * 0.90;
  if (d >= rimInner) {
    // Brushed silver lit from the top left, with a dark outer edge and a bright inner bevel.
    const double light = 0.5 - 0.5 * (dx + dy) / (d * std::sqrt(2.0));
    const double across = (d - rimInner) / (kRadius - rimInner);  // 0 inside, 1 outside
    const double bevel = std::sin(across * kPi);
    Rgb silver = Blend({120, 124, 132}, {238, 240, 244}, light * 0.8 + bevel * 0.2);
    if (across > 0.85) silver = Blend(silver, {90, 92, 98}, (across - 0.85) / 0.15);
    if (across < 0.12) silver = Blend({70, 72, 78}, silver, across / 0.12);
    return silver;
  }
  // Rosette: twelve soft petals in pale slate blue.
  const double petals =
      kRadius * 0.20 * (0.62 + 0.38 * std::fabs(std::cos(6 * std::atan2(dy, dx))));
  if (d < petals) {
    const double t = d / petals;
    return Blend({196, 206, 224}, {232, 237, 246}, t);
  }
  if (std::fabs(d - kRadius * 0.235) < 0.35) return {200, 208, 222};
  return white;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_face OUTPUT.bmp\n");
    return 2;
  }
  const std::vector<Ink> inks = Markings();
  const int rowBytes = (kSize * 3 + 3) / 4 * 4;
  std::vector<uint8_t> pixels(static_cast<size_t>(rowBytes) * kSize, 0);
  constexpr int kSamples = 4;
  for (int py = 0; py < kSize; ++py) {
    for (int px = 0; px < kSize; ++px) {
      Rgb sum{0, 0, 0};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = px + (sx + 0.5) / kSamples, y = py + (sy + 0.5) / kSamples;
          Rgb c = Ground(x, y);
          for (const Ink& ink : inks)
            for (const Segment& s : ink.segments)
              if (DistanceToSegment(x, y, s) <= ink.halfWidth) c = ink.colour;
          sum.r += c.r;
          sum.g += c.g;
          sum.b += c.b;
        }
      }
      const double n = kSamples * kSamples;
      uint8_t* out = &pixels[static_cast<size_t>(kSize - 1 - py) * rowBytes + px * 3];
      out[0] = static_cast<uint8_t>(sum.b / n + 0.5);
      out[1] = static_cast<uint8_t>(sum.g / n + 0.5);
      out[2] = static_cast<uint8_t>(sum.r / n + 0.5);
    }
  }
  std::vector<uint8_t> file;
  Put16(file, 0x4D42);
  Put32(file, static_cast<uint32_t>(14 + 40 + pixels.size()));
  Put32(file, 0);
  Put32(file, 14 + 40);
  Put32(file, 40);
  Put32(file, kSize);
  Put32(file, kSize);
  Put16(file, 1);
  Put16(file, 24);
  Put32(file, 0);  // BI_RGB
  Put32(file, static_cast<uint32_t>(pixels.size()));
  Put32(file, 2835);
  Put32(file, 2835);
  Put32(file, 0);
  Put32(file, 0);
  file.insert(file.end(), pixels.begin(), pixels.end());
  return WriteImageFile(argv[1], file);
}
