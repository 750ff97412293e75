#include "shutdown.h"

#include "afx.h"

namespace {

void ReportWithMessageBox(const char* message) { AfxMessageBox(message, MB_OK); }

DWORD WINAPI LastError() { return GetLastError(); }

// Closes the token on every way out; nothing reads it after the last adjustment.
class TokenGuard {
 public:
  TokenGuard(const ShutdownCalls& calls, HANDLE token) : m_calls(calls), m_token(token) {}
  ~TokenGuard() { m_calls.closeHandle(m_token); }
  TokenGuard(const TokenGuard&) = delete;
  TokenGuard& operator=(const TokenGuard&) = delete;

 private:
  const ShutdownCalls& m_calls;
  HANDLE m_token;
};

}  // namespace

const ShutdownCalls& SystemShutdownCalls() {
  static const ShutdownCalls calls{
      &OpenProcessToken, &LookupPrivilegeValueA, &AdjustTokenPrivileges, &LastError,
      &ExitWindowsEx,    &CloseHandle,           &ReportWithMessageBox};
  return calls;
}

ShutdownOutcome RunShutdown(const ShutdownCalls& calls) {
  HANDLE token = nullptr;
  if (!calls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    calls.report("OpenProcessToken failed.");
    return ShutdownOutcome::TokenFailed;
  }
  TokenGuard guard(calls, token);

  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // A failed look-up leaves no privilege to enable: report it as the failed enable it amounts to.
  if (!calls.lookupPrivilegeValue(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    calls.report("AdjustTokenPrivileges enable failed.");
    return ShutdownOutcome::EnableFailed;
  }

  // The call's result says nothing of a privilege the account lacks (ERROR_NOT_ALL_ASSIGNED);
  // only the last error does.
  calls.adjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  if (calls.getLastError() != ERROR_SUCCESS) {
    calls.report("AdjustTokenPrivileges enable failed.");
    return ShutdownOutcome::EnableFailed;
  }

  if (calls.exitWindowsEx(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, 0))
    return ShutdownOutcome::Requested;

  calls.report("InitiateSystemShutdown failed.");
  privileges.Privileges[0].Attributes = 0;
  calls.adjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
  if (calls.getLastError() == ERROR_SUCCESS) return ShutdownOutcome::RequestRefused;
  calls.report("AdjustTokenPrivileges disable failed.");
  return ShutdownOutcome::DisableFailed;
}
