// The scheduler's main window.
#pragma once

#include "afx.h"
#include "reminder_dlg.h"
#include "schedule.h"
#include "tray.h"

#define WM_VESPER_TOGGLE (WM_USER + 101)
#define WM_TRAYNOTIFY (WM_APP + 100)

enum { TIMER_COUNTDOWN = 100, TIMER_CLOCKLINE = 200 };

class CVesperDlg : public CDialog {
 public:
  explicit CVesperDlg(CWnd* parent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  const afx::MessageMap* GetMessageMap() const override;

 private:
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnButtonHide();
  void OnTrayShow();
  void OnTrayExit();
  void OnClose();
  void OnTimer(UINT id);
  LRESULT OnVesperToggle(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
  LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
  void ShutdownSystem();

  void Remind(const TickResult& tick);
  void Arm();
  void Cancel();
  CEdit* FieldOf(EntryField field);

  CReminderDlg m_reminder;
  CStatic m_status;
  CButton m_btnExecute;
  CEdit m_editSecond;
  CEdit m_editMinute;
  CEdit m_editHour;
  CButton m_chkRemind;
  ShutdownSchedule m_schedule;
  HICON m_hIcon;
  CTrayIcon m_tray;
};
