// Live GDI objects of this process (GetGuiResources is a stub under Wine): every handle value that
// GetObjectType recognises.
#pragma once

#include <windows.h>

inline int LiveGdiObjects() {
  int count = 0;
  for (UINT_PTR i = 1; i < 0x10000; ++i)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++count;
  return count;
}
