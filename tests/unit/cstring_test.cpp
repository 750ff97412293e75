#include "cstring.h"

#include <gtest/gtest.h>

#include <string>

TEST(CString, FormatGrowsBeyondAnySmallBuffer) {
  CString text;
  text.Format("%d|%s", -42, std::string(5000, 'x').c_str());
  EXPECT_EQ(text.GetLength(), 5004);
  EXPECT_EQ(std::string(text).substr(0, 4), "-42|");
  text.Format("%s", "");
  EXPECT_TRUE(text.IsEmpty());
}

TEST(CString, CountsBytesNotCharacters) {
  // Two Chinese characters are four bytes in code page 936.
  const CString text("执行");
  EXPECT_EQ(text.GetLength(), 4);
  EXPECT_EQ(std::string(text), "\xd6\xb4\xd0\xd0");
  EXPECT_EQ(text.Left(2), CString("\xd6\xb4"));
  EXPECT_EQ(text.Left(99), text);
  EXPECT_TRUE(text.Left(-1).IsEmpty());
}

TEST(CString, ConcatenatesAndCompares) {
  CString a("ab");
  a += "c";
  a += CString("d");
  EXPECT_EQ(a, CString("abcd"));
  EXPECT_NE(a + "e", a);
  EXPECT_EQ(CString(nullptr), CString(""));
}
