#include "vesper_app.h"

#include "vesper_dlg.h"

CVesperApp theApp;

BOOL CVesperApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  CVesperDlg dlg;
  m_pMainWnd = &dlg;
  dlg.DoModal();
  m_pMainWnd = nullptr;
  return FALSE;
}

int CVesperApp::ExitInstance() { return CWinApp::ExitInstance(); }
