// Wrappers of a dialog's controls; the dialog owns the windows.
#pragma once

#include "wnd.h"

class CStatic : public CWnd {};

class CButton : public CWnd {
 public:
  int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
  void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class CEdit : public CWnd {
 public:
  BOOL SetReadOnly(BOOL readOnly = TRUE) {
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(readOnly)));
  }
  void SetSel(int start, int end) {
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }
};
