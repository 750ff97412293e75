#include "skin_file.h"

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

bool ReadByte(const std::string& word, uint8_t* out) {
  if (word.empty() || word.size() > 3) return false;
  for (char c : word)
    if (c < '0' || c > '9') return false;
  const int value = std::atoi(word.c_str());
  if (value > 255) return false;
  *out = static_cast<uint8_t>(value);
  return true;
}

struct ColourKey {
  const char* key;
  SkinColour Skin::*field;
};
const ColourKey kColourKeys[] = {
    {"face", &Skin::face},
    {"text", &Skin::text},
    {"highlight", &Skin::highlight},
    {"shadow", &Skin::shadow},
};
constexpr unsigned kNameBit = 1u << 4;
constexpr unsigned kAllBits = kNameBit | 0xFu;

}  // namespace

int ParseSkin(const std::string& content, Skin* out) {
  if (content.size() > kMaxSkinFileBytes) return 1;
  Skin skin;
  bool sawHeader = false;
  unsigned seen = 0;
  int number = 0;
  std::istringstream in(content);
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('\0') != std::string::npos) return number;
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    if (!sawHeader) {
      if (words.size() != 2 || words[0] != "lsf" || words[1] != "1") return number;
      sawHeader = true;
      continue;
    }
    if (words[0] == "name") {
      if (words.size() != 2 || (seen & kNameBit)) return number;
      skin.name = words[1];
      seen |= kNameBit;
      continue;
    }
    bool known = false;
    for (size_t i = 0; i < sizeof kColourKeys / sizeof kColourKeys[0]; ++i) {
      if (words[0] != kColourKeys[i].key) continue;
      SkinColour& colour = skin.*kColourKeys[i].field;
      if (words.size() != 4 || (seen & (1u << i)) || !ReadByte(words[1], &colour.r) ||
          !ReadByte(words[2], &colour.g) || !ReadByte(words[3], &colour.b))
        return number;
      seen |= 1u << i;
      known = true;
    }
    if (!known) return number;
  }
  if (!sawHeader || seen != kAllBits) return number + 1;
  *out = skin;
  return 0;
}
