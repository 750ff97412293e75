// Conversion between code-page-936 CStrings and the UTF-16 of the wide Win32 calls.
#pragma once

#include <windows.h>

#include <string>

#include "cstring.h"

namespace afx {

constexpr UINT kTextCodePage = 936;

std::wstring Widen(const char* text);
CString Narrow(const wchar_t* text, int length = -1);

CString GetWindowTextOf(HWND hwnd);
void SetWindowTextOf(HWND hwnd, const CString& text);
CString LoadStringOf(HINSTANCE instance, UINT id);

}  // namespace afx
