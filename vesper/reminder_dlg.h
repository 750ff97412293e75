// The reminder window: counts down the last minute before the power-off.
#pragma once

#include "afx.h"

class CReminderDlg : public CDialog {
 public:
  explicit CReminderDlg(CWnd* parent = nullptr);

  CString m_strText;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  const afx::MessageMap* GetMessageMap() const override;

 private:
  void OnClose();
};
