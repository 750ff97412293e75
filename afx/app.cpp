#include "app.h"

#include <string>

#include "dialog.h"
#include "text.h"
#include "wnd.h"

namespace {
CWinApp* g_app = nullptr;

CString ModuleBaseName(HINSTANCE instance) {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(instance, path, sizeof path / sizeof path[0]);
  std::wstring name(path, length);
  // Cut in UTF-16: in code page 936 a backslash byte can be half of a character.
  const size_t slash = name.find_last_of(L"\\/:");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const size_t dot = name.rfind(L'.');
  if (dot != std::wstring::npos && dot > 0) name.erase(dot);
  return afx::Narrow(name.c_str(), static_cast<int>(name.size()));
}
}  // namespace

CWinApp::CWinApp(const char* appName) : m_strAppName(appName) { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

int CWinApp::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!afx::PreTranslate(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : GetModuleHandleW(nullptr);
}

int AfxWinMain(HINSTANCE instance) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = instance;
  if (app->m_strAppName.IsEmpty()) app->m_strAppName = ModuleBaseName(instance);
  return app->InitInstance() ? app->Run() : app->ExitInstance();
}

int AfxMessageBox(const CString& text, UINT type, UINT) {
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  CWinApp* app = AfxGetApp();
  HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
  if (owner && !IsWindow(owner)) owner = nullptr;
  const std::wstring title = afx::Widen(app ? app->m_strAppName : CString());
  return MessageBoxW(owner, afx::Widen(text).c_str(), title.c_str(), type);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
