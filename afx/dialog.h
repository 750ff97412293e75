// CDialog: a dialog from a resource template, run modally by the library's own loop or created
// modeless; CDataExchange and the DDX_ routines move values between controls and members.
#pragma once

#include <cstdint>

#include "controls.h"
#include "wnd.h"

class CDialog;

class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate)
      : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
  CDialog* const m_pDlgWnd;
  const BOOL m_bSaveAndValidate;
  // Set by the first field that does not read back; later exchanges then do nothing.
  bool m_bFailed = false;
  HWND PrepareCtrl(int id) const;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, CString& value);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr)
      : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

  // Creates the dialog, disables its owner and runs the library's modal loop until EndDialog.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless, owned by parent (or the constructor's parent).
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Ends a modal dialog with result; a modeless one is hidden.
  void EndDialog(int result);
  // Moves values from the controls (save) or to them; FALSE when a field does not read back.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  virtual BOOL OnInitDialog();

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  virtual void OnOK();
  virtual void OnCancel();
  const afx::MessageMap* GetMessageMap() const override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND CreateFromTemplate(HWND owner);
  void RunModalLoop();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  bool m_bModal = false;
  bool m_bEndModal = false;
  int m_nModalResult = -1;
};

namespace afx {
// The library's message filter: the PreTranslateMessage of the message's window and of each
// parent up to its top-level window, then IsDialogMessage of the dialog that holds it.
BOOL PreTranslate(MSG* msg);
}  // namespace afx
