#!/usr/bin/env bash
# Builds Horalux and runs every test: the host unit tests, then the Wine-side tests (in-process
# and end to end against build/dist) on an Xvfb of their own.
source "$(dirname "$0")/common.sh"
horalux_setup
horalux_build

cd "$HORALUX_ROOT"
log "static checks"
bash tools/static_checks.sh 2>&1 | grep -v 'warnings generated'

log "host unit tests"
ctest --preset host

log "fuzzing the integer-reading rule and the schedule for a minute"
bash tools/fuzz.sh 60 > build/fuzz.log 2>&1 || { tail -n 40 build/fuzz.log; exit 1; }
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz.log

horalux_xvfb
horalux_wine test
trap horalux_wine_stop EXIT
# A power-off request under Wine ends every process of the session, the test driver's too. The
# stub in its place logs the request instead; the tests bind it with wineboot.exe=n.
system32="$WINEPREFIX/drive_c/windows/system32"
[ -f "$system32/wineboot.exe.orig" ] || cp "$system32/wineboot.exe" "$system32/wineboot.exe.orig"
cp build/win32/tests/e2e/wineboot_stub.exe "$system32/wineboot.exe"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wineboot.exe=n"

log "Wine tests"
ctest --preset win32
