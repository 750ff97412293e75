#!/usr/bin/env bash
# The benchmark command: measures both programs under Wine on an Xvfb of its own and prints one
# table, every figure from this run. DURATION (seconds, default 120) is the idle measurement's length.
source "$(dirname "$0")/common.sh"
duration=${DURATION:-120}
horalux_setup
horalux_build >/dev/null
horalux_xvfb
horalux_wine bench
trap horalux_wine_stop EXIT
system32="$WINEPREFIX/drive_c/windows/system32"
[ -f "$system32/wineboot.exe.orig" ] || cp "$system32/wineboot.exe" "$system32/wineboot.exe.orig"
cp "$HORALUX_ROOT/build/win32/tests/e2e/wineboot_stub.exe" "$system32/wineboot.exe"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wineboot.exe=n"
export HORALUX_DIST="Z:$HORALUX_ROOT/build/dist"
driver="$HORALUX_ROOT/build/win32/tests/e2e/bench_driver.exe"
ours='Z:\'"$(echo "$HORALUX_ROOT/build/dist" | sed 's|^/||; s|/|\\|g')"
wines_clock='C:\windows\system32\clock.exe'

value() { sed -n "s/^$1 //p" | tr -d '\r'; }
pid_of() { pgrep -f -x "$(printf '%s' "$1" | sed 's/[][\\.*^$]/\\&/g').*" | head -n 1; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }

log "start to first painted frame, median of 10"
ff_ours=$(wine "$driver" firstframe "$ours\\clock.exe" 10 | value firstframe_ms)
ff_wine=$(wine "$driver" firstframe "$wines_clock" 10 | value firstframe_ms)

log "idle cost over ${duration} s: both clocks and an armed Vesper, side by side"
(cd "$HORALUX_ROOT/build/dist" && wine "$ours\\clock.exe" >/dev/null 2>&1 &)
(cd "$WINEPREFIX" && wine "$wines_clock" >/dev/null 2>&1 &)
wine "$driver" arm 3600 >/dev/null
sleep 5
p_ours=$(pid_of "$ours\\clock.exe")
p_wine=$(pid_of "$wines_clock")
p_vesper=$(pgrep -f 'Vesper\.exe' | head -n 1)
[ -n "$p_ours" ] && [ -n "$p_wine" ] && [ -n "$p_vesper" ] || { log "a program did not start"; exit 1; }
t0_ours=$(cpu_ticks "$p_ours"); t0_wine=$(cpu_ticks "$p_wine"); t0_vesper=$(cpu_ticks "$p_vesper")
sleep "$duration"
t1_ours=$(cpu_ticks "$p_ours"); t1_wine=$(cpu_ticks "$p_wine"); t1_vesper=$(cpu_ticks "$p_vesper")
rss_ours=$(rss_kib "$p_ours"); rss_wine=$(rss_kib "$p_wine"); rss_vesper=$(rss_kib "$p_vesper")
hz=$(getconf CLK_TCK)
cpu() { awk -v t="$1" -v hz="$hz" 'BEGIN {printf "%.2f", t / hz}'; }
c_ours=$(cpu $((t1_ours - t0_ours))); c_wine=$(cpu $((t1_wine - t0_wine)))
c_vesper=$(cpu $((t1_vesper - t0_vesper)))
wineserver -k; wineserver -p 2>/dev/null || true

log "power-off latency over 20 armings"
lat=$(wine "$driver" latency 20)

size() { stat -c %s "$HORALUX_ROOT/build/dist/$1"; }
imports() { i686-w64-mingw32-objdump -p "$HORALUX_ROOT/build/dist/$1" | awk '/DLL Name/ {print $3}' | paste -sd ' '; }

printf '\n| figure | Horalux | Wine'"'"'s clock | target |\n|---|---|---|---|\n'
printf '| clock idle CPU over %s s | %s s | %s s | ours <= 1/5 of Wine'"'"'s |\n' "$duration" "$c_ours" "$c_wine"
printf '| clock resident memory | %s KiB | %s KiB | |\n' "$rss_ours" "$rss_wine"
printf '| Vesper armed for an hour, CPU over %s s | %s s | | |\n' "$duration" "$c_vesper"
printf '| Vesper resident memory | %s KiB | | |\n' "$rss_vesper"
printf '| start to first painted frame, median of 10 | %s ms | %s ms | |\n' "$ff_ours" "$ff_wine"
printf '| power-off latency over 20 armings: max / median / min | %s / %s / %s ms | | max <= 1050 ms |\n' \
  "$(echo "$lat" | value latency_max_ms)" "$(echo "$lat" | value latency_median_ms)" "$(echo "$lat" | value latency_min_ms)"
for f in clock.exe Vesper.exe SkinH.dll; do
  printf '| %s: size, imports | %s bytes: %s | | system DLLs and SkinH.dll |\n' "$f" "$(size "$f")" "$(imports "$f")"
done
