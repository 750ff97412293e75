#include "vesper_dlg.h"

#include "SkinH.h"
#include "resource.h"
#include "shutdown.h"

namespace {
constexpr UINT kTrayIconId = 128;
// Broadcast by the shell when it (re)starts: every notification icon has to be added again.
const UINT kTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
}  // namespace

CVesperDlg::CVesperDlg(CWnd* parent)
    : CDialog(IDD_VESPER_DIALOG, parent),
      m_reminder(nullptr),
      m_hIcon(LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

const afx::MessageMap* CVesperDlg::GetMessageMap() const {
  static const afx::MessageEntry entries[] = {
      afx::OnMessage<WM_SYSCOMMAND, &CVesperDlg::OnSysCommand>(),
      afx::OnMessage<WM_PAINT, &CVesperDlg::OnPaint>(),
      afx::OnMessage<WM_QUERYDRAGICON, &CVesperDlg::OnQueryDragIcon>(),
      afx::OnCommand<IDC_BUTTON_HIDE, &CVesperDlg::OnButtonHide>(),
      afx::OnCommand<ID_TRAY_SHOW, &CVesperDlg::OnTrayShow>(),
      afx::OnCommand<ID_TRAY_EXIT, &CVesperDlg::OnTrayExit>(),
      afx::OnMessage<WM_CLOSE, &CVesperDlg::OnClose>(),
      afx::OnMessage<WM_TIMER, &CVesperDlg::OnTimer>(),
      afx::OnMessage<WM_VESPER_TOGGLE, &CVesperDlg::OnVesperToggle>(),
      afx::OnMessage<WM_TRAYNOTIFY, &CVesperDlg::OnTrayNotify>(),
      afx::OnRegisteredMessage<&kTaskbarCreated, &CVesperDlg::OnTaskbarCreated>(),
  };
  static const afx::MessageMap map = afx::MakeMap(CDialog::GetMessageMap(), entries);
  return &map;
}

void CVesperDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STATIC_INFO, m_status);
  DDX_Control(pDX, IDOK, m_btnExecute);
  DDX_Control(pDX, IDC_EDIT_SECOND, m_editSecond);
  DDX_Control(pDX, IDC_EDIT_MINUTE, m_editMinute);
  DDX_Control(pDX, IDC_EDIT_HOUR, m_editHour);
  DDX_Control(pDX, IDC_CHECK_REMIND, m_chkRemind);
  DDX_Check(pDX, IDC_CHECK_REMIND, m_schedule.m_bRemind);
  DDX_Text(pDX, IDC_EDIT_HOUR, m_schedule.m_nHour);
  DDX_Text(pDX, IDC_EDIT_MINUTE, m_schedule.m_nMinute);
  DDX_Text(pDX, IDC_EDIT_SECOND, m_schedule.m_nSecond);
}

BOOL CVesperDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  CMenu sysMenu = GetSystemMenu(FALSE);
  if (sysMenu.GetSafeHmenu()) {
    const CString about = afx::LoadStringOf(AfxGetInstanceHandle(), IDS_ABOUTBOX);
    if (!about.IsEmpty()) {
      sysMenu.AppendMenu(MF_SEPARATOR);
      sysMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
    }
  }

  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

  SkinH_AttachEx("tarn.lsf", nullptr);

  m_tray.Add(m_hWnd, kTrayIconId, WM_TRAYNOTIFY,
             LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)), "Horalux");

  m_schedule.Init(CTime::GetCurrentTime());
  UpdateData(FALSE);
  SetTimer(TIMER_CLOCKLINE, 1000);
  m_status.SetWindowText(m_schedule.FormatClockLine(CTime::GetCurrentTime()));
  return TRUE;
}

CEdit* CVesperDlg::FieldOf(EntryField field) {
  switch (field) {
    case EntryField::Hour:
      return &m_editHour;
    case EntryField::Minute:
      return &m_editMinute;
    case EntryField::Second:
      return &m_editSecond;
    case EntryField::None:
      break;
  }
  return nullptr;
}

void CVesperDlg::OnOK() {
  if (m_schedule.m_bArmed)
    Cancel();
  else
    Arm();
}

void CVesperDlg::Arm() {
  if (!UpdateData(TRUE)) return;
  KillTimer(TIMER_COUNTDOWN);

  EntryField bad = m_schedule.Validate();
  const CTime now = CTime::GetCurrentTime();
  // A target beyond the 32-bit end of time cannot be counted down to: refuse it like an hour out
  // of range rather than arm a schedule that would fire at once or never.
  if (bad == EntryField::None &&
      ShutdownSchedule::ComputeTarget(m_schedule.m_nHour, m_schedule.m_nMinute,
                                      m_schedule.m_nSecond, now)
              .GetTime() < 0)
    bad = EntryField::Hour;
  if (CEdit* field = FieldOf(bad)) {
    field->SetFocus();
    field->SetSel(0, -1);
    field->SendMessage(EM_SCROLLCARET);
    MessageBeep(0xFFFFFFFF);
    return;
  }

  m_editHour.SetReadOnly(TRUE);
  m_editMinute.SetReadOnly(TRUE);
  m_editSecond.SetReadOnly(TRUE);
  m_chkRemind.EnableWindow(FALSE);
  m_btnExecute.SetWindowText("取消");
  m_schedule.Arm(now);
  OnTimer(TIMER_CLOCKLINE);
  SetTimer(TIMER_COUNTDOWN, 1000);
}

void CVesperDlg::Cancel() {
  KillTimer(TIMER_COUNTDOWN);
  // The line is refreshed before the info text changes: the cancel shows at the next tick.
  OnTimer(TIMER_CLOCKLINE);
  m_editHour.SetReadOnly(FALSE);
  m_editMinute.SetReadOnly(FALSE);
  m_editSecond.SetReadOnly(FALSE);
  m_btnExecute.SetWindowText("确定");
  m_schedule.Disarm();
  m_chkRemind.EnableWindow(TRUE);
  // A reminder left on screen would count nothing, and its "取消" would arm the idle window again.
  if (m_reminder.m_hWnd) m_reminder.ShowWindow(SW_HIDE);
}

void CVesperDlg::OnTimer(UINT id) {
  if (id == TIMER_COUNTDOWN) {
    const TickResult tick = m_schedule.EvaluateTick(CTime::GetCurrentTime());
    switch (tick.verdict) {
      case TickVerdict::Remind:
        Remind(tick);
        break;
      case TickVerdict::Fire:
        KillTimer(TIMER_COUNTDOWN);
        ShutdownSystem();
        break;
      case TickVerdict::None:
        break;
    }
  } else {
    m_status.SetWindowText(m_schedule.FormatClockLine(CTime::GetCurrentTime()));
  }
  Default();
}

// The reminder window is created on the first reminder of the program and reused by every later
// arming; the first reminder of each arming shows it.
void CVesperDlg::Remind(const TickResult& tick) {
  m_reminder.m_strText = tick.text;
  if (tick.first && !m_reminder.m_hWnd) m_reminder.Create(IDD_REMINDER, this);
  if (!m_reminder.m_hWnd) return;
  m_reminder.UpdateData(FALSE);
  if (tick.first) m_reminder.ShowWindow(SW_SHOW);
}

void CVesperDlg::ShutdownSystem() {
  if (RunShutdown(SystemShutdownCalls()) == ShutdownOutcome::DisableFailed) OnTrayExit();
}

void CVesperDlg::OnCancel() {
  OnClose();
  CDialog::OnCancel();
}

void CVesperDlg::OnClose() {
  m_tray.Delete();
  SkinH_Detach();
  // For WM_CLOSE the dialog default turns the request into IDCANCEL, whose OnCancel runs this
  // close work a second time; for a command it does nothing.
  Default();
}

void CVesperDlg::OnTrayExit() {
  OnClose();
  EndDialog(IDOK);
}

void CVesperDlg::OnButtonHide() { ShowWindow(SW_HIDE); }

void CVesperDlg::OnTrayShow() { ShowWindow(SW_SHOW); }

LRESULT CVesperDlg::OnVesperToggle(WPARAM, LPARAM) {
  OnTrayShow();
  OnOK();
  return 0;
}

void CVesperDlg::OnSysCommand(UINT id, LPARAM) {
  // The About item of the system menu has nothing to show.
  if ((id & 0xFFF0) == IDM_ABOUTBOX) return;
  Default();
}

void CVesperDlg::OnPaint() {
  if (!IsIconic()) {
    Default();
    return;
  }
  PaintMinimisedIcon(m_hIcon);
}

HCURSOR CVesperDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

LRESULT CVesperDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
  if (iconId != kTrayIconId) return 0;
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    ShowWindow(SW_SHOW);
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    CMenu menu;
    if (!menu.LoadMenu(IDR_TRAYMENU)) return 0;
    POINT cursor;
    GetCursorPos(&cursor);
    // A notification-icon menu closes on a click elsewhere only while its owner is the
    // foreground window; the posted message lets the menu loop end cleanly.
    SetForegroundWindow(m_hWnd);
    menu.GetSubMenu(0).TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, *this);
    PostMessage(WM_NULL);
  }
  return 0;
}

LRESULT CVesperDlg::OnTaskbarCreated(WPARAM, LPARAM) {
  m_tray.Restore();
  return 0;
}
