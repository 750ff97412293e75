#!/usr/bin/env bash
# clang-format over every C and C++ file of the tree, clang-tidy over the window-free units
# (.clang-format and .clang-tidy say what is checked); any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.c')
clang-format --dry-run -Werror "${sources[@]}"
clang-tidy --quiet core/*.cpp vesper/schedule.cpp clock/hands.cpp skinh/skin_file.cpp \
  -- -std=c++17 -Icore -Ivesper -Iclock -Iskinh
echo "static checks: clean"
