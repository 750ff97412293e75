// The desk clock: a borderless, circular, always-on-top window.
#pragma once

#include "afx.h"

enum { TIMER_REPAINT = 100 };

// During a drag the window's top-left corner stays this far left of and above the cursor.
constexpr int DRAG_ANCHOR = 75;

class CClockDlg : public CDialog {
 public:
  explicit CClockDlg(CWnd* parent = nullptr);

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  const afx::MessageMap* GetMessageMap() const override;

 private:
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  LRESULT OnNcHitTest(CPoint point);
  BOOL OnEraseBkgnd(HDC dc);
  void OnTimer(UINT id);
  void OnClose();
  void OnMButtonUp(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnMenuTopMost();
  void OnMenuWebsite();
  void OnMenuAbout();
  void OnMenuScheduler();
  void OnMenuExit();

  int m_nHour = 0;
  int m_nMinute = 0;
  int m_nSecond = 0;
  CRgn m_rgnWindow;
  CBitmap m_bmpFace;
  CMenu m_menu;
  BOOL m_bTopMost = TRUE;
  BOOL m_bDragging = FALSE;
  HICON m_hIcon;
};
