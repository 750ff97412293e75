#include "int_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {
struct Case {
  std::string text;
  bool reads;
  int32_t value;
};

const Case kCases[] = {
    {"7", true, 7},
    {"  7  ", true, 7},
    {"\t7\t", true, 7},
    {"+7", true, 7},
    {"007", true, 7},
    {"-1", true, -1},
    {"0", true, 0},
    {" 0 ", true, 0},
    {"00", true, 0},
    {"2147483647", true, INT32_MAX},
    {"-2147483648", true, INT32_MIN},
    {"2147483648", true, INT32_MAX},
    {"-2147483649", true, INT32_MIN},
    {"99999999999999999999999", true, INT32_MAX},
    {"", false, 0},
    {"   ", false, 0},
    {"+0", false, 0},
    {"-0", false, 0},
    {"+", false, 0},
    {"-", false, 0},
    {"x", false, 0},
    {"7:", false, 0},
    {"7.5", false, 0},
    {"12x", false, 0},
    {"5 5", false, 0},
    {"- 5", false, 0},
    {"0x10", false, 0},
    {"\xa3\xb7", false, 0},  // full-width digit seven in code page 936
    {"7\xa3\xb7", false, 0},
    // Only the first 31 bytes count: trailing text beyond them is never seen.
    {"7" + std::string(30, ' ') + "x", true, 7},
    {"7" + std::string(29, ' ') + "x", false, 0},
    {std::string(31, '1') + "x", true, INT32_MAX},
    {std::string(30, ' ') + "5", true, 5},
    {std::string(31, ' ') + "5", false, 0},
};
}  // namespace

TEST(ReadIntegerField, FollowsTheDialogRule) {
  for (const Case& c : kCases) {
    int32_t value = 12345;
    EXPECT_EQ(ReadIntegerField(c.text.c_str(), &value), c.reads) << '"' << c.text << '"';
    EXPECT_EQ(value, c.reads ? c.value : 12345) << '"' << c.text << '"';
  }
}
