#!/usr/bin/env bash
# Builds Horalux and starts clock.exe from build/dist under Wine, where its menu item "Vesper"
# starts the scheduler: on $DISPLAY when there is one, otherwise on an Xvfb of its own, leaving
# screenshots of both programs in build/clock.png and build/vesper.png.
source "$(dirname "$0")/common.sh"
horalux_setup imagemagick  # import, for the screenshots

horalux_build

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  horalux_xvfb
fi
horalux_wine run
trap horalux_wine_stop EXIT
cd "$HORALUX_ROOT/build/dist"
if [ "$headless" -eq 0 ]; then
  log "starting clock.exe on $DISPLAY"
  wine clock.exe
  exit 0
fi

# Each program alone on the empty screen; the window is cut out of the black root window.
shot() {
  local exe=$1 png=$2
  wine "$exe" &
  sleep 4
  import -window root -crop 640x480+320+160 +repage -trim +repage "$png"
  wineserver -k
  wineserver -p 2>/dev/null || true
  log "screenshot: ${png#"$HORALUX_ROOT"/}"
}
shot clock.exe "$HORALUX_ROOT/build/clock.png"
shot Vesper.exe "$HORALUX_ROOT/build/vesper.png"
