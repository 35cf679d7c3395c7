#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Whether a change left the panel's look alone: the real program of a revision (default main)
# and of the working tree, each shot by lookshots in every state it knows (shut and open,
# hovered, focused, checked, greyed, dropped down, tooltips) at 96 and at 192 dpi under a
# private Xvfb, then compared pixel by pixel with a tolerance for antialiasing only.
#   bench/look.sh [REVISION | PROGRAM]
# PTZ_LOOK_TOLERANCE (default 24) is the largest difference in a channel still taken for
# antialiasing. The shots go to build/look/; differing pixels are drawn red in build/look/diff/.
# Exits non-zero when a shot differs beyond the tolerance.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb xdotool
ptz_build "$PTZ_ROOT/build"

work=$(mktemp -d)
trap 'ptz_stop_xvfb; rm -rf "$work"' EXIT
before=$(ptz_program_of "${1:-main}" "$work")

shots="$PTZ_ROOT/build/look"
rm -rf "$shots"
for dpi in 96 192; do
    for side in before after; do
        program="$before"
        [ "$side" = after ] && program="$PTZ_ROOT/build/ptz-panel"
        # Room for the window at twice its size and for its tooltips.
        ptz_start_xvfb "$((1280 * dpi / 96))x$((800 * dpi / 96))x24" "$dpi"
        echo "Shooting $side at $dpi dpi"
        "$PTZ_ROOT/build/bench/lookshots" capture "$program" "$shots/$side/$dpi" 2>/dev/null
        ptz_stop_xvfb
    done
done
"$PTZ_ROOT/build/bench/lookshots" compare "$shots/before" "$shots/after" \
    "${PTZ_LOOK_TOLERANCE:-24}" "$shots/diff"
