#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Where the start goes, in instructions: the panel (simulated camera) and the floor window
# (one label, one slider) under callgrind, which counts the same on any machine however
# loaded, split by the main thread's phases. Each runs until it has been up a few seconds.
# Milliseconds are bench/run.sh's; this says which part of the program they are spent in.
#   bench/startup_phases.sh [REVISION | PROGRAM]   adds a column for that revision's panel
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb valgrind
ptz_build "$PTZ_ROOT/build"

ptz_start_xvfb 1280x800x24
export CAMERACTRL_BACKEND=sim
unset CAMERACTRL_SIM_DIR CAMERACTRL_TRACE
out=$(mktemp -d)
trap 'ptz_stop_xvfb; rm -rf "$out"' EXIT
before=""
[ $# -gt 0 ] && before=$(ptz_program_of "$1" "$out/before")
export XDG_CONFIG_HOME="$out/config"

# profile NAME PROGRAM...: one annotated file per thread of the program, NAME.1 the main one.
profile() {
    local name=$1
    shift
    timeout -s INT 25 valgrind --tool=callgrind --separate-threads=yes \
        --callgrind-out-file="$out/$name.%p" "$@" >/dev/null 2>&1 || true
    # The program itself did the most on its main thread; a child forked on the way (the
    # session bus's autolaunch) did little.
    local pid
    pid=$(for main in "$out/$name".*-01; do
        echo "$(awk '/^(summary|totals):/ { print $2; exit }' "$main") $main"
    done | sort -rn | awk 'NR == 1 { sub(/-01$/, "", $2); sub(/.*\./, "", $2); print $2 }')
    for thread in "$out/$name.$pid"-*; do
        callgrind_annotate --inclusive=yes "$thread" 2>/dev/null \
            >"$out/$name.$((10#${thread##*-}))"
    done
}

# ir NAME THREAD PATTERN: inclusive instructions of the first function matching PATTERN.
ir() {
    local file="$out/$1.$2"
    [ -f "$file" ] || { echo 0; return; }
    if [ "$3" = total ]; then
        awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }' "$file"
    else
        grep -F -m 1 "$3" "$file" | awk '{ gsub(",", "", $1); print $1 }' | grep . || echo 0
    fi
}

profile floor "$PTZ_ROOT/build/bench/bare_window" --floor
profile panel "$PTZ_ROOT/build/ptz-panel"
[ -n "$before" ] && profile before "$before"

# row LABEL FLOOR PANEL [BEFORE]: instructions in millions; the difference is the panel's
# over the floor.
row() {
    awk -v l="$1" -v f="$2" -v p="$3" -v b="${4:-}" 'BEGIN {
        printf "%-46s %9.1f", l, f / 1e6
        if (b != "") printf " %9.1f", b / 1e6
        printf " %9.1f %+9.1f\n", p / 1e6, (p - f) / 1e6 }'
}
# phase LABEL THREAD PATTERN [PANEL-ONLY]: a row for the function matching PATTERN.
phase() {
    local floor=0
    [ -z "${4:-}" ] && floor=$(ir floor "$2" "$3")
    local was=""
    [ -n "$before" ] && was=$(ir before "$2" "$3")
    row "$1" "$floor" "$(ir panel "$2" "$3")" "$was"
}
if [ -n "$before" ]; then
    printf '%-46s %9s %9s %9s %9s\n' "millions of instructions, main thread" floor before panel difference
else
    printf '%-46s %9s %9s %9s\n' "millions of instructions, main thread" floor panel difference
fi
phase "whole run" 1 total
phase "  application object" 1 'QApplication::QApplication(int&'
phase "  the forms: main window and its panels" 1 'Ui_MainWindow.cpp:Ui_MainWindow::setupUi(QMainWindow*)' panel
phase "    PTZ panel" 1 'Ui_WinRight.cpp:Ui_WinRight::setupUi(QWidget*)' panel
phase "  showing: styling every widget, mapping" 1 '???:QWidget::show() ['
phase "    of it, styling (style sheets, polish)" 1 'QWidget::ensurePolished() const ['
phase "  event loop: first paint and the rest" 1 'QApplication::exec() ['
phase "    first camera listed and loaded, with the panel" 1 'MainWindow::TimerInit()' panel
phase "      image settings panel built" 1 'MainWindow::buildImagePanel()' panel
phase "image settings panel's form, wherever it falls" 1 'Ui_WinLeft.cpp:Ui_WinLeft::setupUi(QWidget*)' panel
phase "within those: fonts found and opened" 1 'QFontDatabase::findFont('
phase "  of it, the system's font setup read" 1 '???:FcInit ['
phase "within those: images decoded" 1 'QImageReader::read(QImage*) ['
phase "within those: style sheets parsed" 1 'QCss::Parser::parse('
phase "second core: the system's font setup read" 2 '???:FcInit ['
