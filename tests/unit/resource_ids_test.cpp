// Each program's resource identifiers: no two of one kind share a number.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

// The kind an identifier's prefix names; commands of menus and the system menu share one space.
std::string KindOf(const std::string& name) {
  for (const char* prefix : {"IDD_", "IDC_", "IDR_", "IDB_", "IDS_"})
    if (name.rfind(prefix, 0) == 0) return prefix;
  if (name.rfind("ID_", 0) == 0 || name.rfind("IDM_", 0) == 0) return "command";
  return "";
}

void Collect(const std::string& path, std::map<std::string, std::map<long, std::string>>* kinds,
             std::string* clash) {
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string directive, name, value;
    if (!(words >> directive >> name >> value) || directive != "#define") continue;
    const std::string kind = KindOf(name);
    if (kind.empty()) continue;
    const long number = std::stol(value, nullptr, 0);
    auto& seen = (*kinds)[kind];
    if (seen.count(number)) *clash += name + " = " + seen[number] + " (" + value + ")\n";
    seen[number] = name;
  }
}

}  // namespace

TEST(ResourceIds, NoTwoOfOneKindShareANumber) {
  for (const char* program : {"vesper/resource.h", "clock/resource.h"}) {
    std::map<std::string, std::map<long, std::string>> kinds;
    std::string clash;
    Collect(std::string(HORALUX_SOURCE_DIR) + "/res/shared_ids.h", &kinds, &clash);
    Collect(std::string(HORALUX_SOURCE_DIR) + "/" + program, &kinds, &clash);
    EXPECT_EQ(clash, "") << program;
    EXPECT_FALSE(kinds["command"].empty()) << program << " was not read";
  }
}
