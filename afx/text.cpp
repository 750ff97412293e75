#include "text.h"

#include <vector>

namespace afx {

std::wstring Widen(const char* text) {
  const int length = MultiByteToWideChar(kTextCodePage, 0, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kTextCodePage, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

CString Narrow(const wchar_t* text, int length) {
  if (length < 0) length = lstrlenW(text);
  if (length == 0) return CString();
  // Characters outside code page 936 become the code page's default character.
  const int bytes =
      WideCharToMultiByte(kTextCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return CString();
  std::vector<char> narrow(static_cast<size_t>(bytes));
  WideCharToMultiByte(kTextCodePage, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
  return CString(narrow.data(), bytes);
}

CString GetWindowTextOf(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return CString();
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, &wide[0], length + 1);
  return Narrow(wide.c_str(), copied > 0 ? copied : 0);
}

void SetWindowTextOf(HWND hwnd, const CString& text) { SetWindowTextW(hwnd, Widen(text).c_str()); }

CString LoadStringOf(HINSTANCE instance, UINT id) {
  const wchar_t* resource = nullptr;
  // With a zero buffer size LoadStringW hands out a pointer to the resource itself.
  const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || !resource) return CString();
  return Narrow(resource, length);
}

}  // namespace afx
