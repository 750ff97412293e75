#include "tray.h"

#include <shellapi.h>

#include <cwchar>

#include "text.h"

namespace {
// The basic record of the wide calls: what every version of the shell reads.
NOTIFYICONDATAW Record(HWND owner, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = owner;
  data.uID = id;
  return data;
}
}  // namespace

BOOL CTrayIcon::Add(HWND owner, UINT id, UINT message, HICON icon, const CString& tip) {
  m_hOwner = owner;
  m_nId = id;
  m_nMessage = message;
  m_hIcon = icon;
  m_strTip = tip;
  return Restore();
}

BOOL CTrayIcon::Restore() {
  if (!m_hOwner) return FALSE;
  NOTIFYICONDATAW data = Record(m_hOwner, m_nId);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = m_nMessage;
  data.hIcon = m_hIcon;
  const std::wstring tip = afx::Widen(m_strTip);
  wcsncpy(data.szTip, tip.c_str(), 63);  // the basic record holds 64 characters
  data.szTip[63] = L'\0';
  return Shell_NotifyIconW(NIM_ADD, &data);
}

BOOL CTrayIcon::Delete() {
  if (!m_hOwner) return FALSE;
  NOTIFYICONDATAW data = Record(m_hOwner, m_nId);
  m_hOwner = nullptr;
  return Shell_NotifyIconW(NIM_DELETE, &data);
}
