// SkinH.dll: attaches a skin file to the calling program (see skinh/FORMAT.md).
#pragma once

#include <windows.h>

#ifdef SKINH_BUILDING
#define SKINH_API extern "C" __declspec(dllexport)
#else
#define SKINH_API extern "C" __declspec(dllimport)
#endif

enum SkinHStatus {
  SKINH_OK = 0,
  SKINH_NO_NAME = 1,
  SKINH_UNREADABLE = 2,
  SKINH_MALFORMED = 3,
  SKINH_NOT_ATTACHED = 4,
};

SKINH_API int __stdcall SkinH_AttachEx(const char* skinFile, const char* password);
SKINH_API int __stdcall SkinH_Detach(void);
