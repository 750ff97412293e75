#include "reminder_dlg.h"

#include "resource.h"

CReminderDlg::CReminderDlg(CWnd* parent) : CDialog(IDD_REMINDER, parent) {}

const afx::MessageMap* CReminderDlg::GetMessageMap() const {
  static const afx::MessageEntry entries[] = {
      afx::OnMessage<WM_CLOSE, &CReminderDlg::OnClose>(),
  };
  static const afx::MessageMap map = afx::MakeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

void CReminderDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_STATIC_REMINDER, m_strText);
}

BOOL CReminderDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  return TRUE;
}

void CReminderDlg::OnOK() { ShowWindow(SW_HIDE); }

void CReminderDlg::OnCancel() {
  // Synchronous: the owner's toggle has run to its end before this window goes away.
  ::SendMessageW(::GetWindow(m_hWnd, GW_OWNER), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  CDialog::OnCancel();
}

// The close box and Alt+F4 cannot put the reminder away.
void CReminderDlg::OnClose() { MessageBeep(0xFFFFFFFF); }
