#include "cstring.h"

#include <cstdarg>
#include <cstdio>

CString CString::Left(int count) const {
  if (count <= 0) return CString();
  if (count >= GetLength()) return *this;
  return CString(m_str.data(), count);
}

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed < 0) {
    m_str.clear();
  } else {
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(&out[0], out.size(), format, args);
    out.resize(static_cast<size_t>(needed));
    m_str.swap(out);
  }
  va_end(args);
}
