#include "clock_dlg.h"

#include <shellapi.h>

#include "SkinH.h"
#include "clock_draw.h"
#include "hands.h"
#include "resource.h"

namespace {
constexpr int kWindowSize = 146;
constexpr int kFaceSize = 145;
const wchar_t kWebsite[] = L"https://www.horalux.example/";
const char kAboutText[] =
    "官方网站：www.horalux.example\n"
    "联系我们：hello@horalux.example\n"
    "版权所有 (C) 2026 Horalux，保留所有权利。";
}  // namespace

CClockDlg::CClockDlg(CWnd* parent)
    : CDialog(IDD_CLOCK_DIALOG, parent),
      m_hIcon(LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

const afx::MessageMap* CClockDlg::GetMessageMap() const {
  static const afx::MessageEntry entries[] = {
      afx::OnMessage<WM_PAINT, &CClockDlg::OnPaint>(),
      afx::OnMessage<WM_QUERYDRAGICON, &CClockDlg::OnQueryDragIcon>(),
      afx::OnMessage<WM_NCHITTEST, &CClockDlg::OnNcHitTest>(),
      afx::OnMessage<WM_ERASEBKGND, &CClockDlg::OnEraseBkgnd>(),
      afx::OnMessage<WM_TIMER, &CClockDlg::OnTimer>(),
      afx::OnMessage<WM_RBUTTONDOWN, &CClockDlg::OnRButtonDown>(),
      afx::OnCommand<ID_MENU_EXIT, &CClockDlg::OnMenuExit>(),
      afx::OnMessage<WM_CLOSE, &CClockDlg::OnClose>(),
      afx::OnCommand<ID_MENU_WEBSITE, &CClockDlg::OnMenuWebsite>(),
      afx::OnCommand<ID_MENU_SCHEDULER, &CClockDlg::OnMenuScheduler>(),
      afx::OnCommand<ID_MENU_ABOUT, &CClockDlg::OnMenuAbout>(),
      afx::OnCommand<ID_MENU_TOPMOST, &CClockDlg::OnMenuTopMost>(),
      afx::OnMessage<WM_MOUSEMOVE, &CClockDlg::OnMouseMove>(),
      afx::OnMessage<WM_LBUTTONDOWN, &CClockDlg::OnLButtonDown>(),
      afx::OnMessage<WM_MBUTTONUP, &CClockDlg::OnMButtonUp>(),
      afx::OnMessage<WM_LBUTTONUP, &CClockDlg::OnLButtonUp>(),
  };
  static const afx::MessageMap map = afx::MakeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

BOOL CClockDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bmpFace.LoadBitmap(AfxGetInstanceHandle(), IDB_FACE);
  m_menu.LoadMenu(IDR_CLOCKMENU);
  m_bTopMost = TRUE;
  m_bDragging = FALSE;
  SetTimer(TIMER_REPAINT, 500);
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  SkinH_AttachEx("lumen.lsf", nullptr);
  SetWindowPos(HWND_TOPMOST, 0, 0, kWindowSize, kWindowSize, SWP_SHOWWINDOW);

  RECT client;
  GetClientRect(&client);
  m_rgnWindow.CreateEllipticRgnIndirect(client);
  // The window owns the region once SetWindowRgn succeeds.
  if (SetWindowRgn(m_hWnd, m_rgnWindow, TRUE)) m_rgnWindow.Detach();
  CenterWindow();
  return TRUE;
}

BOOL CClockDlg::PreTranslateMessage(MSG* msg) {
  // No key reaches the dialog: neither hidden button can be pressed by Enter or Esc. System keys
  // (WM_SYSKEYDOWN, Alt+F4) pass.
  if (msg->message == WM_KEYDOWN) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

void CClockDlg::OnOK() { CDialog::OnOK(); }

void CClockDlg::OnTimer(UINT) {
  InvalidateRect(nullptr, TRUE);
  Default();
}

BOOL CClockDlg::OnEraseBkgnd(HDC dc) {
  CMemoryDC memory(dc);
  CSelectGuard select(memory, m_bmpFace);
  BitBlt(dc, 0, 0, kFaceSize, kFaceSize, memory, 0, 0, SRCCOPY);
  return TRUE;
}

void CClockDlg::OnPaint() {
  if (IsIconic()) {
    PaintMinimisedIcon(m_hIcon);
    return;
  }
  CPaintDC dc(m_hWnd);
  RECT client;
  GetClientRect(&client);
  SetClockMapping(dc, client);
  std::tm local{};
  const bool known = CTime::GetCurrentTime().GetLocalTm(&local);
  if (known) {
    m_nHour = local.tm_hour % 12;
    m_nMinute = local.tm_min;
    m_nSecond = local.tm_sec;
    DrawClockHands(dc, ClockHands(m_nHour, m_nMinute, m_nSecond));
  }
  Default();
}

HCURSOR CClockDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

LRESULT CClockDlg::OnNcHitTest(CPoint) { return Default(); }

void CClockDlg::OnMButtonUp(UINT, CPoint) { Default(); }

void CClockDlg::OnClose() {
  KillTimer(TIMER_REPAINT);
  SkinH_Detach();
  // The dialog default turns the request into IDCANCEL, which ends the dialog.
  Default();
}

void CClockDlg::OnLButtonDown(UINT, CPoint) {
  m_bDragging = TRUE;
  SetCapture(m_hWnd);
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32646)));  // IDC_SIZEALL
  Default();
}

void CClockDlg::OnMouseMove(UINT, CPoint point) {
  if (m_bDragging) {
    ClientToScreen(m_hWnd, &point);
    // Only the size is held: every move also re-applies the band that m_bTopMost names.
    SetWindowPos(m_bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, point.x - DRAG_ANCHOR,
                 point.y - DRAG_ANCHOR, 0, 0, SWP_NOSIZE);
  }
  Default();
}

void CClockDlg::OnLButtonUp(UINT, CPoint) {
  m_bDragging = FALSE;
  ReleaseCapture();
  Default();
}

void CClockDlg::OnRButtonDown(UINT, CPoint point) {
  ClientToScreen(m_hWnd, &point);
  m_menu.GetSubMenu(0).TrackPopupMenu(TPM_RIGHTBUTTON, point.x, point.y, *this);
  Default();
}

void CClockDlg::OnMenuTopMost() {
  m_bTopMost = m_bTopMost ? FALSE : TRUE;
  m_menu.GetSubMenu(0).CheckMenuItem(ID_MENU_TOPMOST,
                                     MF_BYCOMMAND | (m_bTopMost ? MF_CHECKED : MF_UNCHECKED));
  SetWindowPos(m_bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void CClockDlg::OnMenuWebsite() {
  ShellExecuteW(nullptr, L"open", kWebsite, nullptr, nullptr, SW_SHOWNORMAL);
}

void CClockDlg::OnMenuAbout() { AfxMessageBox(kAboutText, MB_OK | MB_ICONINFORMATION); }

// The bare name: the shell resolves it from the current folder, where the scheduler ships.
void CClockDlg::OnMenuScheduler() {
  ShellExecuteW(nullptr, L"open", L"Vesper.exe", nullptr, nullptr, SW_SHOWNORMAL);
}

void CClockDlg::OnMenuExit() { OnOK(); }
