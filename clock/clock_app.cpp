#include "clock_app.h"

#include "clock_dlg.h"

CClockApp theApp;

BOOL CClockApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  CClockDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}
