#!/usr/bin/env bash
# Takes the screenshots under docs/ from the running program on a virtual display:
#   xvfb-run -a -s "-screen 0 1032x776x24" tools/take-screenshots.sh [build-dir]
# Without a window manager the main window stays at its designed place (214, 81), its
# client area below the menu bar at y 100; the board image is centred on the window.
set -euo pipefail
build=${1:-build}
out=docs
shot() { import -window root "$out/$1.png"; }
at() { xdotool mousemove "$1" "$2"; sleep 0.7; }

"$build/src/Settings/Settings" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 3
# The help window opens by itself; its Start button begins the tour at the Base Address popup.
shot help-window
at 665 483; xdotool click 1; sleep 0.7
shot tour-start
at 631 744; xdotool click 1; sleep 0.5   # Done in the Base Address popup
at 300 700
# Circle centres on the screen: image at (366, 278) plus each circle's centre.
at 633 501; shot hover-base-address
at 300 700
at 770 501; shot hover-irq
at 300 700
at 912 320; shot hover-se-diff
at 300 700
at 626 306; shot hover-calibration-group
xdotool click 1; sleep 0.5
# Begin Calibration in the pinned calibration popup, then Next to step 4 (readout).
at 835 402; xdotool click 1; sleep 0.7
for _ in 1 2 3 4; do at 498 326; xdotool click 1; sleep 0.7; done
sleep 1
shot calibration-readout
