#include "clock_draw.h"

#include "gdi.h"

void SetClockMapping(HDC dc, const RECT& client) {
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, ClockHands::kLogicalExtent, ClockHands::kLogicalExtent, nullptr);
  SetViewportExtEx(dc, client.right - client.left, client.top - client.bottom, nullptr);
  SetViewportOrgEx(dc, (client.right - client.left) / 2, (client.bottom - client.top) / 2, nullptr);
}

void DrawClockHands(HDC dc, const ClockHands& hands) {
  for (const HandSegment& hand : hands.Segments()) {
    CPen pen;
    pen.CreatePen(PS_SOLID, hand.width, hand.colour);
    CSelectGuard select(dc, pen);
    MoveToEx(dc, hand.tail.x, hand.tail.y, nullptr);
    LineTo(dc, hand.tip.x, hand.tip.y);
  }
  CBrush hub;
  hub.CreateSolidBrush(ClockHands::kHubFill);
  CSelectGuard select(dc, hub);
  const LogicalRect& r = ClockHands::kHubRect;
  Ellipse(dc, r.left, r.top, r.right, r.bottom);
}
