// Little-endian writing and the file output shared by the image generators.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// Writes the bytes to path; the process's exit code.
inline int WriteImageFile(const char* path, const std::vector<uint8_t>& bytes) {
  FILE* out = std::fopen(path, "wb");
  if (!out) {
    std::perror(path);
    return 1;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && ok ? 0 : 1;
}
