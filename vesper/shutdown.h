// The forced power-off: enable the shutdown privilege, request the power-off, and on a refusal
// disable the privilege again. The platform calls go through ShutdownCalls so that a test can fail
// each of them.
#pragma once

#include <windows.h>

struct ShutdownCalls {
  BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token);
  BOOL(WINAPI* lookupPrivilegeValue)(LPCSTR system, LPCSTR name, PLUID luid);
  BOOL(WINAPI* adjustTokenPrivileges)
  (HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length, PTOKEN_PRIVILEGES previous,
   PDWORD returned);
  DWORD(WINAPI* getLastError)();
  BOOL(WINAPI* exitWindowsEx)(UINT flags, DWORD reason);
  BOOL(WINAPI* closeHandle)(HANDLE handle);
  // Shows one failure message and returns when the user has confirmed it.
  void (*report)(const char* message);
};

// The real calls, with failures shown by AfxMessageBox.
const ShutdownCalls& SystemShutdownCalls();

enum class ShutdownOutcome {
  Requested,       // the system is powering off
  TokenFailed,     // "OpenProcessToken failed."
  EnableFailed,    // "AdjustTokenPrivileges enable failed."
  RequestRefused,  // "InitiateSystemShutdown failed.", privilege disabled again
  DisableFailed,   // ... then "AdjustTokenPrivileges disable failed.": the program must exit
};

ShutdownOutcome RunShutdown(const ShutdownCalls& calls);
