// CString: a counted string of code-page-936 bytes.
#pragma once

#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_str(text ? text : "") {}
  CString(const char* text, int length) : m_str(text, static_cast<size_t>(length)) {}

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  const char* GetString() const { return m_str.c_str(); }
  operator const char*() const { return m_str.c_str(); }

  CString Left(int count) const;

  CString& operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
  }
  CString& operator+=(const char* text) {
    m_str += text ? text : "";
    return *this;
  }
  friend CString operator+(CString left, const CString& right) { return left += right; }
  friend CString operator+(CString left, const char* right) { return left += right; }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator!=(const CString& a, const CString& b) { return a.m_str != b.m_str; }

  // printf-style formatting; replaces the contents.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  std::string m_str;
};
