#include "dialog.h"

#include "app.h"
#include "int_reader.h"
#include "text.h"

// ---- data exchange

HWND CDataExchange::PrepareCtrl(int id) const { return m_pDlgWnd->GetDlgItem(id); }

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
  if (pDX->m_bFailed || control.m_hWnd) return;
  control.Attach(pDX->PrepareCtrl(id));
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  if (pDX->m_bFailed) return;
  HWND control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate)
    value = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  else
    SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

namespace {
// Writes text into a control only when it differs, so that an unchanged field keeps its caret and
// selection and raises no change notification.
void SetTextIfChanged(HWND control, const CString& text) {
  if (afx::GetWindowTextOf(control) != text) afx::SetWindowTextOf(control, text);
}
}  // namespace

void DDX_Text(CDataExchange* pDX, int id, int& value) {
  if (pDX->m_bFailed) return;
  HWND control = pDX->PrepareCtrl(id);
  if (!pDX->m_bSaveAndValidate) {
    CString text;
    text.Format("%d", value);
    SetTextIfChanged(control, text);
    return;
  }
  int32_t read = 0;
  if (ReadIntegerField(afx::GetWindowTextOf(control), &read)) {
    value = read;
    return;
  }
  AfxMessageBox("请键入一个整数。", MB_ICONEXCLAMATION);
  SetFocus(control);
  SendMessageW(control, EM_SETSEL, 0, -1);
  pDX->m_bFailed = true;
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
  if (pDX->m_bFailed) return;
  HWND control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate)
    value = afx::GetWindowTextOf(control);
  else
    SetTextIfChanged(control, value);
}

// ---- the dialog

const afx::MessageMap* CDialog::GetMessageMap() const {
  static const afx::MessageEntry entries[] = {
      afx::OnCommand<IDOK, &CDialog::OnOK>(),
      afx::OnCommand<IDCANCEL, &CDialog::OnCancel>(),
  };
  static const afx::MessageMap map = afx::MakeMap(CWnd::GetMessageMap(), entries);
  return &map;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.m_bFailed;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  if (m_bModal) {
    m_bEndModal = true;
    PostMessage(WM_NULL);  // wake the loop if it is waiting
  } else if (m_hWnd) {
    ShowWindow(SW_HIDE);
  }
}

HWND CDialog::CreateFromTemplate(HWND owner) {
  return CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                            &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (m_hWnd) return FALSE;
  m_nIDTemplate = templateId;
  if (parent) m_pParentWnd = parent;
  m_bModal = false;
  return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  m_bModal = true;
  m_bEndModal = false;
  m_nModalResult = -1;
  if (!CreateFromTemplate(owner)) {
    m_bModal = false;
    return -1;
  }
  if (owner) ::EnableWindow(owner, FALSE);
  if (!m_bEndModal && !IsWindowVisible()) ShowWindow(SW_SHOWNORMAL);
  RunModalLoop();
  // The owner is enabled before the dialog goes, so that activation returns to it.
  if (owner) ::EnableWindow(owner, TRUE);
  if (m_hWnd) DestroyWindow(m_hWnd);
  m_bModal = false;
  return m_nModalResult;
}

void CDialog::RunModalLoop() {
  MSG msg;
  while (!m_bEndModal && m_hWnd) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for an outer loop
      break;
    }
    if (!afx::PreTranslate(&msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  // Every other message reaches the dialog through its subclassed procedure and message map.
  if (message != WM_INITDIALOG) return FALSE;
  auto* self = reinterpret_cast<CDialog*>(lParam);
  self->SubclassWindow(hwnd);
  RECT before;
  GetWindowRect(hwnd, &before);
  const BOOL setFocus = self->OnInitDialog();
  // A top-level dialog that its initialisation did not place is centred.
  RECT after;
  GetWindowRect(hwnd, &after);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if (!(style & (WS_CHILD | DS_CENTER)) && EqualRect(&before, &after)) self->CenterWindow();
  return setFocus;
}

namespace afx {

BOOL PreTranslate(MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = GetParent(hwnd)) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd))
      if (wnd->PreTranslateMessage(msg)) return TRUE;
    if (!(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) break;
  }
  HWND root = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
  if (root && dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(root)))
    return IsDialogMessageW(root, msg);
  return FALSE;
}

}  // namespace afx
