#include "skin_file.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (true) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string::npos) break;
    const size_t end = line.find_first_of(" \t", at);
    words.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
    at = end;
  }
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
  for (size_t start = 0; start < content.size();) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string line = content.substr(start, end - start);
    start = end + 1;
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
