# Shared set-up for the README's commands: packages, build, a Wine prefix and an Xvfb of our own.
# Sourced by tools/run.sh and tools/test.sh.
set -euo pipefail

HORALUX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HORALUX_PACKAGES=(cmake g++ googletest g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 wine64 xvfb xauth fonts-wqy-microhei locales clang libclang-rt-14-dev clang-format clang-tidy git)

log() { printf '==> %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whatever of the packages (and of any named as arguments) is missing, and the zh_CN.UTF-8
# locale.
horalux_setup() {
  local missing=()
  for pkg in "${HORALUX_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing: ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" >/dev/null
  fi
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    log "generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
}

# Both builds: the window-free units with their tests, and the Windows programs.
horalux_build() {
  cd "$HORALUX_ROOT"
  log "building (host and win32)"
  cmake --preset host >/dev/null
  cmake --build --preset host -j "$(nproc)"
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 -j "$(nproc)"
}

# Starts an Xvfb on a free display and exports DISPLAY; it ends with the calling shell.
horalux_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  HORALUX_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.05
  done
  log "Xvfb did not start on :$n"
  return 1
}

# A Wine prefix of its own under build/ (made once, then reused) and a persistent wineserver.
# Windows are not handed to a window manager (there is none on Xvfb): Wine draws their frames,
# and destroying a window does not wait for one.
horalux_wine() {
  local name=$1
  export WINEPREFIX="$HORALUX_ROOT/build/wine-$name"
  export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=zh_CN.UTF-8
  unset LC_ALL
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p 2>/dev/null || true  # exits 2 when a server is already up
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

horalux_wine_stop() {
  wineserver -k 2>/dev/null || true
  [ -z "${HORALUX_XVFB_PID:-}" ] || kill "$HORALUX_XVFB_PID" 2>/dev/null || true
}
