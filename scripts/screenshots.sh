#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Takes the README's screenshots: the real program under Xvfb with the simulated camera,
# the image panel shut and open. Writes docs/panel-shut.png and docs/panel-open.png.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb xdotool
ptz_build "$PTZ_ROOT/build"

ptz_start_xvfb 800x600x24
export CAMERACTRL_BACKEND=sim
unset CAMERACTRL_SIM_DIR CAMERACTRL_TRACE
# As on a first run: where your own panel was left stays out of the pictures.
export XDG_CONFIG_HOME="$(mktemp -d)"
"$PTZ_ROOT/build/ptz-panel" &
panel=$!
trap 'kill $panel 2>/dev/null; ptz_stop_xvfb' EXIT

window=$(xdotool search --sync --onlyvisible --name '^PTZ Panel$' | head -n 1)
sleep 1 # the camera's values reach the sliders 500 ms after start
mkdir -p "$PTZ_ROOT/docs"
grab="$PTZ_ROOT/build/tests/screengrab"
"$grab" "$PTZ_ROOT/docs/panel-shut.png" 267 0 224 417
xdotool mousemove --window "$window" 280 100 click 1
sleep 0.5
xdotool mousemove 700 500
sleep 0.2
"$grab" "$PTZ_ROOT/docs/panel-open.png" 0 0 491 417
echo "Wrote docs/panel-shut.png and docs/panel-open.png"
