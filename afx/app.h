// CWinApp and the library's global services.
#pragma once

#include <windows.h>

#include "cstring.h"

class CWnd;

class CWinApp {
 public:
  // Without a name the application is named after its executable, without folder and extension.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return FALSE; }
  virtual int ExitInstance() { return 0; }
  // A plain message loop, for an application whose InitInstance returns TRUE.
  virtual int Run();

  CWnd* m_pMainWnd = nullptr;
  CString m_strAppName;
  HINSTANCE m_hInstance = nullptr;

 private:
  friend int AfxWinMain(HINSTANCE instance);
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
int AfxWinMain(HINSTANCE instance);

// A message box owned by the main window and titled with the application's name; without an icon
// in type, the exclamation icon.
int AfxMessageBox(const CString& text, UINT type = MB_OK, UINT helpId = 0);

// The platform switches these on for OLE controls and old-style 3D drawing; our dialogs use
// neither, so there is nothing to switch on.
inline void AfxEnableControlContainer() {}
inline BOOL Enable3dControlsStatic() { return TRUE; }
