// Paints the clock's hands onto any context, so that a test can paint a fixed time.
#pragma once

#include <windows.h>

#include "hands.h"

// The logical square of the hands on a client area: isotropic, 1000 x 1000 units, origin at the
// centre, y upward.
void SetClockMapping(HDC dc, const RECT& client);
// The three hands in order, then the hub with the context's current pen.
void DrawClockHands(HDC dc, const ClockHands& hands);
