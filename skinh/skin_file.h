// The Horalux skin file: a small line-based text format (see skinh/FORMAT.md).
#pragma once

#include <cstdint>
#include <string>

struct SkinColour {
  uint8_t r = 0, g = 0, b = 0;
};

struct Skin {
  std::string name;
  SkinColour face, text, highlight, shadow;
};

// Largest skin file accepted, in bytes.
constexpr size_t kMaxSkinFileBytes = size_t{64} * 1024;

// Parses a whole skin file. Returns 0 and fills *out on success, otherwise the number of the first
// line at fault (1-based; the line after the last one when something required is missing).
int ParseSkin(const std::string& content, Skin* out);
