// The hands painted onto a memory bitmap with the clock's mapping: a fixed time, checked by pixels.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "clock_draw.h"
#include "gdi_count.h"

namespace {

constexpr int kSize = 146;

class Canvas {
 public:
  Canvas() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits),
                                nullptr, 0);
    m_previous = SelectObject(m_dc, m_bitmap);
    for (int i = 0; i < kSize * kSize; ++i) m_bits[i] = 0x00FFFFFF;
  }
  ~Canvas() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  // The pixel as a COLORREF.
  COLORREF At(int x, int y) const {
    const uint32_t p = m_bits[y * kSize + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
  uint32_t* m_bits = nullptr;
};

void Paint(const Canvas& canvas, int h, int m, int s) {
  const int saved = SaveDC(canvas.Dc());
  const RECT client{0, 0, kSize, kSize};
  SetClockMapping(canvas.Dc(), client);
  DrawClockHands(canvas.Dc(), ClockHands(h, m, s));
  RestoreDC(canvas.Dc(), saved);
}

const COLORREF kHand = RGB(60, 60, 60);
const COLORREF kHub = RGB(230, 230, 230);
const COLORREF kWhite = RGB(255, 255, 255);

}  // namespace

TEST(ClockDrawing, HandsAndHubOfThreeOClockAndHalfAMinute) {
  Canvas canvas;
  Paint(canvas, 3, 0, 30);  // hour to the right, minute up, second down
  struct Probe {
    const char* what;
    int x, y;
    COLORREF colour;
  } const probes[] = {
      {"hour hand, right of the hub", 95, 73, kHand},
      {"hour hand is about 5 px wide", 95, 71, kHand},
      {"hour hand tip", 103, 73, kHand},
      {"beyond the hour tip", 110, 73, kWhite},
      {"hour tail, left of the hub", 67, 73, kHand},
      {"beyond the hour tail", 60, 73, kWhite},
      {"minute hand, up", 73, 35, kHand},
      {"beyond the minute tip", 73, 15, kWhite},
      {"second hand, down", 73, 120, kHand},
      {"beyond the second tip", 73, 133, kWhite},
      {"hub over every hand", 73, 73, kHub},
      {"no hand towards 4:30", 110, 110, kWhite},
      {"no hand towards 9 o'clock", 40, 73, kWhite},
  };
  for (const Probe& p : probes) EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << p.what;
  // The hub's outline is the context's default pen: black.
  bool outline = false;
  for (int x = 74; x < 80; ++x)
    outline |= canvas.At(x, 73) == RGB(0, 0, 0) || canvas.At(x, 76) == RGB(0, 0, 0);
  EXPECT_TRUE(outline);
}

TEST(ClockDrawing, MidnightDrawsOneVerticalLine) {
  Canvas canvas;
  Paint(canvas, 0, 0, 0);
  EXPECT_EQ(canvas.At(73, 30), kHand);
  EXPECT_EQ(canvas.At(73, 80), kHand) << "the tails below the hub";
  EXPECT_EQ(canvas.At(95, 73), kWhite);
  EXPECT_EQ(canvas.At(73, 73), kHub);
}

TEST(ClockDrawing, RepaintingLeavesNoGdiObjectBehind) {
  Canvas canvas;
  Paint(canvas, 10, 10, 30);
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 2000; ++i) Paint(canvas, i % 12, i % 60, (i * 7) % 60);
  EXPECT_EQ(LiveGdiObjects(), before);
}
