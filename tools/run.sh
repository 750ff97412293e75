#!/usr/bin/env bash
# Builds Horalux and starts Vesper.exe under Wine: on $DISPLAY when there is one, otherwise on an
# Xvfb of its own, leaving a screenshot in build/vesper.png.
source "$(dirname "$0")/common.sh"
horalux_setup imagemagick  # import, for the screenshot
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
  log "starting Vesper.exe on $DISPLAY"
  wine Vesper.exe
  exit 0
fi
wine Vesper.exe &
sleep 4
import -window root -crop 640x480+320+160 +repage -trim +repage "$HORALUX_ROOT/build/vesper.png"
log "screenshot: build/vesper.png"
