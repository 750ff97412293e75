// The shipped SkinH.dll, loaded as the programs load it, through its undecorated exports.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

namespace {

using AttachFn = int(__stdcall*)(const char*, const char*);
using DetachFn = int(__stdcall*)();

class SkinHTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dll = LoadLibraryW((e2e::DistDir() + L"SkinH.dll").c_str());
    ASSERT_NE(m_dll, nullptr);
    m_attach = reinterpret_cast<AttachFn>(
        reinterpret_cast<void*>(GetProcAddress(m_dll, "SkinH_AttachEx")));
    m_detach =
        reinterpret_cast<DetachFn>(reinterpret_cast<void*>(GetProcAddress(m_dll, "SkinH_Detach")));
    ASSERT_NE(m_attach, nullptr);
    ASSERT_NE(m_detach, nullptr);
    m_detach();  // whatever an earlier test left
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_dir = std::string(temp) + "horalux-skin-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(m_dir.c_str(), nullptr);
  }
  void TearDown() override {
    if (m_dll) FreeLibrary(m_dll);
  }
  std::string Write(const char* name, const std::string& content) {
    const std::string path = m_dir + name;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }

  HMODULE m_dll = nullptr;
  AttachFn m_attach = nullptr;
  DetachFn m_detach = nullptr;
  std::string m_dir;
};

const char kGood[] = "lsf 1\nname t\nface 1 2 3\ntext 0 0 0\nhighlight 4 5 6\nshadow 7 8 9\n";

}  // namespace

TEST_F(SkinHTest, AttachChecksTheFileAndDetachIsHarmless) {
  EXPECT_EQ(m_detach(), 4) << "detach without attach";
  EXPECT_EQ(m_attach(nullptr, nullptr), 1);
  EXPECT_EQ(m_attach("", nullptr), 1);
  EXPECT_EQ(m_attach((m_dir + "missing.lsf").c_str(), nullptr), 2);
  EXPECT_EQ(m_attach(Write("bad.lsf", "lsf 1\nname t\n").c_str(), nullptr), 3);
  EXPECT_EQ(m_attach(Write("big.lsf", std::string(70000, '#')).c_str(), nullptr), 3);
  EXPECT_EQ(m_detach(), 4) << "a failed attach attaches nothing";

  EXPECT_EQ(m_attach(Write("good.lsf", kGood).c_str(), "any password"), 0);
  EXPECT_EQ(m_attach(Write("bad.lsf", "garbage").c_str(), nullptr), 3);
  EXPECT_EQ(m_detach(), 0) << "a failed attach keeps the skin attached before";
  EXPECT_EQ(m_detach(), 4) << "double detach";
}

TEST_F(SkinHTest, RelativeNamesAndTheShippedSkin) {
  Write("relative.lsf", kGood);
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(m_dir.c_str());
  EXPECT_EQ(m_attach("relative.lsf", nullptr), 0) << "found in the current folder";
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(m_detach(), 0);

  std::wstring tarn = e2e::DistDir() + L"tarn.lsf";
  EXPECT_EQ(m_attach(std::string(tarn.begin(), tarn.end()).c_str(), nullptr), 0);
  EXPECT_EQ(m_detach(), 0);
}
