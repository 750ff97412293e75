// What the shipped programs carry besides their dialogs: manifest and version.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

class ProgramResources : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    m_path = e2e::DistDir() + GetParam();
    m_module = LoadLibraryExW(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(m_module, nullptr);
  }
  void TearDown() override {
    if (m_module) FreeLibrary(m_module);
  }
  std::string Manifest() const {
    HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (!found) return std::string();
    const char* data = static_cast<const char*>(LockResource(LoadResource(m_module, found)));
    return std::string(data, SizeofResource(m_module, found));
  }
  // The version block, copied out of the resource (Wine's GetFileVersionInfo misses the one of
  // clock.exe, though the loader finds it).
  std::vector<BYTE> VersionBlock() const {
    HRSRC found = FindResourceW(m_module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    if (!found) return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(m_module, found)));
    std::vector<BYTE> block(data, data + SizeofResource(m_module, found));
    block.resize(block.size() *
                 2);  // VerQueryValue's room for conversions, as GetFileVersionInfo leaves it
    return block;
  }
  std::wstring VersionString(const wchar_t* name) const {
    std::vector<BYTE> block = VersionBlock();
    if (block.empty()) return L"<none>";
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080403a8\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
      return L"<none>";
    return value;
  }
  VS_FIXEDFILEINFO Fixed() const {
    std::vector<BYTE> block = VersionBlock();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (block.empty() ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length))
      return VS_FIXEDFILEINFO{};
    return *info;
  }

  std::wstring m_path;
  HMODULE m_module = nullptr;
};

TEST_P(ProgramResources, ManifestRunsAsInvokerOnWindows7To11WithClassicControls) {
  const std::string manifest = Manifest();
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  for (const char* os :
       {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
        "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
    EXPECT_NE(manifest.find(os), std::string::npos) << os;
  EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

TEST_P(ProgramResources, Version) {
  const std::wstring file = GetParam();
  const std::wstring base = file.substr(0, file.rfind(L'.'));
  EXPECT_EQ(VersionString(L"FileVersion"), L"2, 0, 0, 0");
  EXPECT_EQ(VersionString(L"ProductVersion"), L"2, 0, 0, 0");
  EXPECT_EQ(VersionString(L"FileDescription"), L"Horalux");
  EXPECT_EQ(VersionString(L"ProductName"), L"Horalux");
  EXPECT_EQ(VersionString(L"InternalName"), base);
  EXPECT_EQ(VersionString(L"OriginalFilename"), file);
  const VS_FIXEDFILEINFO fixed = Fixed();
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0x00000001u);
}

INSTANTIATE_TEST_SUITE_P(Shipped, ProgramResources, ::testing::Values(L"Vesper.exe", L"clock.exe"));

}  // namespace
