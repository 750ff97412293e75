#!/usr/bin/env bash
# Builds the libFuzzer target of the integer-reading rule and the schedule with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs it for SECONDS (default 60).
# Crashes are left in build/fuzz/; the corpus grows in build/fuzz/corpus.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/fuzz"
mkdir -p "$out/corpus"
# clang stores literals as UTF-8 only; the bytes of the texts do not matter to the fuzzer.
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -Wall -Wextra -Werror -I"$root/core" -I"$root/vesper" \
  "$root/tests/fuzz/schedule_fuzz.cpp" "$root/core/cstring.cpp" "$root/core/ctime.cpp" \
  "$root/core/int_reader.cpp" "$root/vesper/schedule.cpp" -o "$out/schedule_fuzz"
cd "$out"
./schedule_fuzz -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/" corpus
