#include "skin_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const std::string kBody =
    "name tarn\nface 236 233 216\ntext 0 0 0\nhighlight 49 106 197\nshadow 172 168 153\n";
}

TEST(SkinFile, ReadsAWellFormedFile) {
  Skin skin;
  ASSERT_EQ(ParseSkin("# comment\r\n\r\nlsf 1\r\n" + kBody, &skin), 0);
  EXPECT_EQ(skin.name, "tarn");
  EXPECT_EQ(skin.highlight.r, 49);
  EXPECT_EQ(skin.highlight.g, 106);
  EXPECT_EQ(skin.highlight.b, 197);
}

TEST(SkinFile, NamesTheFirstLineAtFault) {
  struct Case {
    const char* name;
    std::string content;
    int line;
  } const cases[] = {
      {"empty", "", 1},
      {"no header", kBody, 1},
      {"wrong version", "lsf 2\n" + kBody, 1},
      {"unknown statement", "lsf 1\n" + kBody + "glow 1 2 3\n", 7},
      {"repeated statement", "lsf 1\n" + kBody + "text 1 2 3\n", 7},
      {"colour above 255", "lsf 1\nname a\nface 256 0 0\n", 3},
      {"colour not a number", "lsf 1\nname a\nface 1 2 x\n", 3},
      {"negative colour", "lsf 1\nname a\nface -1 2 3\n", 3},
      {"too few numbers", "lsf 1\nname a\nface 1 2\n", 3},
      {"missing statement", "lsf 1\nname a\nface 1 2 3\n", 4},
      {"binary", "lsf 1\nname a\0b\n" + kBody, 2},
      {"too large", "lsf 1\n" + kBody + std::string(kMaxSkinFileBytes, '#'), 1},
  };
  for (const Case& c : cases) {
    Skin skin;
    skin.name = "untouched";
    EXPECT_EQ(ParseSkin(c.content, &skin), c.line) << c.name;
    EXPECT_EQ(skin.name, "untouched") << c.name;
  }
}
