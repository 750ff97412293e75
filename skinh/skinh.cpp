#define SKINH_BUILDING
#include "SkinH.h"

#include <string>

#include "skin_file.h"

namespace {

struct State {
  bool attached = false;
  Skin skin;
};
State g_state;

std::wstring WidenAnsi(const char* text) {
  const int length = MultiByteToWideChar(936, 0, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(936, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<size_t>(length) - 1);
  return wide;
}

bool IsRelative(const std::wstring& path) {
  return !(path.size() >= 2 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'))) &&
         !(path.size() >= 1 && (path[0] == L'\\' || path[0] == L'/'));
}

bool ReadWholeFile(const std::wstring& path, std::string* content) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) != FALSE;
  if (ok && size.QuadPart > static_cast<LONGLONG>(kMaxSkinFileBytes)) {
    content->assign(kMaxSkinFileBytes + 1, '#');  // too large: the parser refuses it unread
  } else if (ok && size.QuadPart > 0) {
    content->assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ok = ReadFile(file, &(*content)[0], static_cast<DWORD>(size.QuadPart), &read, nullptr) &&
         read == size.QuadPart;
  }
  CloseHandle(file);
  return ok;
}

// A relative name is looked for beside the program first, where the programs ship their skins,
// then as given, against the current folder.
bool ReadSkinFile(const std::wstring& name, std::string* content) {
  if (IsRelative(name)) {
    wchar_t module[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, module, sizeof module / sizeof module[0]);
    std::wstring beside(module, length);
    const size_t slash = beside.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
      beside.erase(slash + 1);
      if (ReadWholeFile(beside + name, content)) return true;
    }
  }
  return ReadWholeFile(name, content);
}

}  // namespace

SKINH_API int __stdcall SkinH_AttachEx(const char* skinFile, const char*) {
  if (!skinFile || !*skinFile) return SKINH_NO_NAME;
  std::string content;
  if (!ReadSkinFile(WidenAnsi(skinFile), &content)) return SKINH_UNREADABLE;
  Skin skin;
  if (ParseSkin(content, &skin) != 0) return SKINH_MALFORMED;
  g_state.skin = skin;
  g_state.attached = true;
  return SKINH_OK;
}

SKINH_API int __stdcall SkinH_Detach(void) {
  if (!g_state.attached) return SKINH_NOT_ATTACHED;
  g_state = State();
  return SKINH_OK;
}
