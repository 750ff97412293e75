// Draws the application icon, a small clock face, at 48, 32 and 16 pixels in 256 colours and in
// 32-bit colour, and writes it as an .ico file: make_icon OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "image_file.h"

namespace {

struct Rgba {
  double r, g, b, a;
};

// Coverage-weighted colour of one pixel of an icon of the given size, by 4 x 4 supersampling.
Rgba Shade(int size, int px, int py) {
  const double c = size / 2.0;
  const double radius = c - 0.5;
  const double rim = radius * 0.16;
  const double pi = 3.14159265358979;
  Rgba sum{0, 0, 0, 0};
  for (int sy = 0; sy < 4; ++sy) {
    for (int sx = 0; sx < 4; ++sx) {
      const double x = px + (sx + 0.5) / 4 - c;
      const double y = py + (sy + 0.5) / 4 - c;
      const double d = std::sqrt(x * x + y * y);
      if (d > radius) continue;
      double r, g, b;
      if (d > radius - rim) {
        // Silver rim, lit from the top left.
        const double light = 0.5 - 0.5 * (x + y) / (d + 1e-9) * 0.7;
        r = 150 + 90 * light;
        g = 152 + 90 * light;
        b = 160 + 90 * light;
      } else {
        r = g = b = 255;
        const double inner = radius - rim;
        // Twelve hour marks.
        const double angle = std::atan2(x, -y);
        const double step = pi / 6;
        const double nearest = std::round(angle / step) * step;
        const double off = std::fabs(std::sin(angle - nearest)) * d;
        if (d > inner * 0.72 && d < inner * 0.95 && off < std::max(0.55, size / 48.0))
          r = g = b = 20;
        // Hands at ten past ten: hour towards 10 o'clock, minute towards 2.
        auto hand = [&](double a, double length, double width) {
          const double ux = std::sin(a), uy = -std::cos(a);
          const double along = x * ux + y * uy;
          const double across = std::fabs(x * uy - y * ux);
          return along > -width && along < length && across < width / 2;
        };
        if (hand(-pi / 3 + pi / 36, inner * 0.55, std::max(1.4, size / 12.0)) ||
            hand(pi / 3, inner * 0.85, std::max(1.0, size / 18.0)))
          r = g = b = 60;
        if (d < std::max(1.0, size / 20.0)) {
          r = 200;
          g = 40;
          b = 40;
        }
      }
      sum.r += r;
      sum.g += g;
      sum.b += b;
      sum.a += 1;
    }
  }
  if (sum.a == 0) return {0, 0, 0, 0};
  return {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 16};
}

// The 256-colour palette: a 6 x 6 x 6 cube and 40 greys.
std::vector<uint8_t> Palette() {
  std::vector<uint8_t> bgrx;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        bgrx.insert(bgrx.end(), {uint8_t(b * 51), uint8_t(g * 51), uint8_t(r * 51), 0});
  for (int i = 0; i < 40; ++i) {
    const uint8_t v = uint8_t(i * 255 / 39);
    bgrx.insert(bgrx.end(), {v, v, v, 0});
  }
  return bgrx;
}

int Nearest(const std::vector<uint8_t>& palette, double r, double g, double b) {
  int best = 0;
  double bestDistance = 1e18;
  for (int i = 0; i < 256; ++i) {
    const double db = palette[i * 4] - b, dg = palette[i * 4 + 1] - g, dr = palette[i * 4 + 2] - r;
    const double distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

// One icon image: BITMAPINFOHEADER, palette, colour rows bottom-up, then the AND mask.
std::vector<uint8_t> Image(int size, int bits) {
  std::vector<uint8_t> out;
  Put32(out, 40);
  Put32(out, size);
  Put32(out, size * 2);
  Put16(out, 1);
  Put16(out, bits);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  const std::vector<uint8_t> palette = Palette();
  if (bits == 8) out.insert(out.end(), palette.begin(), palette.end());
  std::vector<Rgba> pixels;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) pixels.push_back(Shade(size, x, y));
  for (int y = size - 1; y >= 0; --y) {
    size_t row = 0;
    for (int x = 0; x < size; ++x) {
      const Rgba p = pixels[y * size + x];
      if (bits == 32) {
        // Premultiplication is not used in icons; edge colour stays the pixel's own.
        out.insert(out.end(), {uint8_t(p.b + 0.5), uint8_t(p.g + 0.5), uint8_t(p.r + 0.5),
                               uint8_t(p.a * 255 + 0.5)});
        row += 4;
      } else {
        out.push_back(p.a >= 0.5 ? uint8_t(Nearest(palette, p.r, p.g, p.b)) : 0);
        row += 1;
      }
    }
    while (row % 4) {
      out.push_back(0);
      ++row;
    }
  }
  const int maskRow = ((size + 31) / 32) * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> mask(maskRow, 0);
    for (int x = 0; x < size; ++x)
      if (pixels[y * size + x].a < 0.5) mask[x / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), mask.begin(), mask.end());
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUTPUT.ico\n");
    return 2;
  }
  const int sizes[] = {48, 32, 16};
  const int depths[] = {8, 32};
  std::vector<std::vector<uint8_t>> images;
  for (int bits : depths)
    for (int size : sizes) images.push_back(Image(size, bits));
  std::vector<uint8_t> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  size_t index = 0;
  for (int bits : depths) {
    for (int size : sizes) {
      file.insert(file.end(), {uint8_t(size), uint8_t(size), uint8_t(bits == 8 ? 0 : 0), 0});
      Put16(file, 1);
      Put16(file, bits);
      Put32(file, static_cast<uint32_t>(images[index].size()));
      Put32(file, offset);
      offset += static_cast<uint32_t>(images[index].size());
      ++index;
    }
  }
  for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
  return WriteImageFile(argv[1], file);
}
