// The power-off sequence against faked platform calls: one case per outcome.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shutdown.h"

namespace {

struct Script {
  bool openToken = true;
  bool lookup = true;
  DWORD enableError = ERROR_SUCCESS;
  bool exitWindows = true;
  DWORD disableError = ERROR_SUCCESS;
};

struct Fake {
  Script script;
  std::vector<std::string> calls;
  std::vector<std::string> messages;
  DWORD lastError = 0;
  DWORD enableAttributes = 0xFFFF, disableAttributes = 0xFFFF;
  UINT exitFlags = 0;
  LUID luid{};
  int adjustments = 0;
};
Fake* g_fake = nullptr;

const HANDLE kToken = reinterpret_cast<HANDLE>(0x1234);

BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
  g_fake->calls.push_back("OpenProcessToken");
  EXPECT_EQ(process, GetCurrentProcess());
  EXPECT_EQ(access, static_cast<DWORD>(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY));
  if (!g_fake->script.openToken) return FALSE;
  *token = kToken;
  return TRUE;
}

BOOL WINAPI FakeLookup(LPCSTR system, LPCSTR name, PLUID luid) {
  g_fake->calls.push_back("LookupPrivilegeValue");
  EXPECT_EQ(system, nullptr);
  EXPECT_STREQ(name, "SeShutdownPrivilege");
  if (!g_fake->script.lookup) return FALSE;
  luid->LowPart = 19;
  luid->HighPart = 0;
  return TRUE;
}

BOOL WINAPI FakeAdjust(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length,
                       PTOKEN_PRIVILEGES previous, PDWORD returned) {
  g_fake->calls.push_back("AdjustTokenPrivileges");
  EXPECT_EQ(token, kToken);
  EXPECT_FALSE(disableAll);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(previous, nullptr);
  EXPECT_EQ(returned, nullptr);
  EXPECT_EQ(state->PrivilegeCount, 1u);
  EXPECT_EQ(state->Privileges[0].Luid.LowPart, 19u);
  const bool enabling = g_fake->adjustments++ == 0;
  (enabling ? g_fake->enableAttributes : g_fake->disableAttributes) =
      state->Privileges[0].Attributes;
  g_fake->lastError = enabling ? g_fake->script.enableError : g_fake->script.disableError;
  return TRUE;  // like the real call, which succeeds with ERROR_NOT_ALL_ASSIGNED
}

DWORD WINAPI FakeLastError() {
  g_fake->calls.push_back("GetLastError");
  return g_fake->lastError;
}

BOOL WINAPI FakeExitWindows(UINT flags, DWORD reason) {
  g_fake->calls.push_back("ExitWindowsEx");
  g_fake->exitFlags = flags;
  EXPECT_EQ(reason, 0u);
  return g_fake->script.exitWindows;
}

BOOL WINAPI FakeCloseHandle(HANDLE handle) {
  g_fake->calls.push_back("CloseHandle");
  EXPECT_EQ(handle, kToken);
  return TRUE;
}

void FakeReport(const char* message) { g_fake->messages.push_back(message); }

const ShutdownCalls kFakeCalls{&FakeOpenProcessToken, &FakeLookup,      &FakeAdjust, &FakeLastError,
                               &FakeExitWindows,      &FakeCloseHandle, &FakeReport};

struct Case {
  const char* name;
  Script script;
  ShutdownOutcome outcome;
  std::vector<std::string> calls;
  std::vector<std::string> messages;
};

const std::string kOpen = "OpenProcessToken", kLookup = "LookupPrivilegeValue",
                  kAdjust = "AdjustTokenPrivileges", kError = "GetLastError",
                  kExit = "ExitWindowsEx", kClose = "CloseHandle";

}  // namespace

TEST(ShutdownSystem, EachOutcomeInItsOrder) {
  Script refused;
  refused.exitWindows = false;
  Script disableFails = refused;
  disableFails.disableError = ERROR_ACCESS_DENIED;
  Script noToken;
  noToken.openToken = false;
  Script notHeld;
  notHeld.enableError = ERROR_NOT_ALL_ASSIGNED;
  Script noLookup;
  noLookup.lookup = false;

  const Case cases[] = {
      {"power-off requested",
       Script(),
       ShutdownOutcome::Requested,
       {kOpen, kLookup, kAdjust, kError, kExit, kClose},
       {}},
      {"token cannot be opened",
       noToken,
       ShutdownOutcome::TokenFailed,
       {kOpen},
       {"OpenProcessToken failed."}},
      {"privilege not held",
       notHeld,
       ShutdownOutcome::EnableFailed,
       {kOpen, kLookup, kAdjust, kError, kClose},
       {"AdjustTokenPrivileges enable failed."}},
      {"look-up fails",
       noLookup,
       ShutdownOutcome::EnableFailed,
       {kOpen, kLookup, kClose},
       {"AdjustTokenPrivileges enable failed."}},
      {"request refused, disable succeeds",
       refused,
       ShutdownOutcome::RequestRefused,
       {kOpen, kLookup, kAdjust, kError, kExit, kAdjust, kError, kClose},
       {"InitiateSystemShutdown failed."}},
      {"request refused, disable fails",
       disableFails,
       ShutdownOutcome::DisableFailed,
       {kOpen, kLookup, kAdjust, kError, kExit, kAdjust, kError, kClose},
       {"InitiateSystemShutdown failed.", "AdjustTokenPrivileges disable failed."}},
  };
  for (const Case& c : cases) {
    Fake fake;
    fake.script = c.script;
    g_fake = &fake;
    EXPECT_EQ(RunShutdown(kFakeCalls), c.outcome) << c.name;
    EXPECT_EQ(fake.calls, c.calls) << c.name;
    EXPECT_EQ(fake.messages, c.messages) << c.name;
    if (fake.adjustments >= 1) {
      EXPECT_EQ(fake.enableAttributes, static_cast<DWORD>(SE_PRIVILEGE_ENABLED)) << c.name;
    }
    if (fake.adjustments == 2) {
      EXPECT_EQ(fake.disableAttributes, 0u) << c.name;
    }
    if (fake.calls.size() > 4 && fake.calls[4] == kExit) {
      EXPECT_EQ(fake.exitFlags, static_cast<UINT>(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF))
          << c.name;
    }
    g_fake = nullptr;
  }
}
