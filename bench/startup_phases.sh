#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Where the start goes, in instructions: the panel (simulated camera) and the floor window
# (one label, one slider) under callgrind, which counts the same on any machine however
# loaded, split by the main thread's phases. Each runs until it has been up a few seconds.
# Milliseconds are bench/run.sh's; this says which part of the program they are spent in.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb valgrind
ptz_build "$PTZ_ROOT/build"

ptz_start_xvfb 1280x800x24
export CAMERACTRL_BACKEND=sim
unset CAMERACTRL_SIM_DIR CAMERACTRL_TRACE
out=$(mktemp -d)
trap 'ptz_stop_xvfb; rm -rf "$out"' EXIT
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

row() { # label floor-instructions panel-instructions
    awk -v l="$1" -v f="$2" -v p="$3" 'BEGIN { printf "%-46s %9.1f %9.1f %+9.1f\n", l, f / 1e6, p / 1e6, (p - f) / 1e6 }'
}
printf '%-46s %9s %9s %9s\n' "millions of instructions, main thread" floor panel difference
row "whole run" "$(ir floor 1 total)" "$(ir panel 1 total)"
row "  application object" "$(ir floor 1 'QApplication::QApplication(int&')" \
    "$(ir panel 1 'QApplication::QApplication(int&')"
row "  the forms: main window with both panels" 0 \
    "$(ir panel 1 'Ui_MainWindow::setupUi(QMainWindow*) [')"
row "    image settings panel (fonts' first use)" 0 "$(ir panel 1 'Ui_WinLeft::setupUi(QWidget*) [')"
row "    PTZ panel" 0 "$(ir panel 1 'Ui_WinRight::setupUi(QWidget*) [')"
row "  showing: styling every widget, mapping" "$(ir floor 1 '???:QWidget::show() [')" \
    "$(ir panel 1 '???:QWidget::show() [')"
row "    of it, styling (style sheets, polish)" "$(ir floor 1 'QWidget::ensurePolished() const [')" \
    "$(ir panel 1 'QWidget::ensurePolished() const [')"
row "  event loop: first paint and the rest" "$(ir floor 1 'QApplication::exec() [')" \
    "$(ir panel 1 'QApplication::exec() [')"
row "within those: fonts found and opened" "$(ir floor 1 'QFontDatabase::findFont(')" \
    "$(ir panel 1 'QFontDatabase::findFont(')"
row "  of it, the system's font setup read" "$(ir floor 1 '???:FcInit [')" \
    "$(ir panel 1 '???:FcInit [')"
row "within those: images decoded" "$(ir floor 1 'QImageReader::read(QImage*) [')" \
    "$(ir panel 1 'QImageReader::read(QImage*) [')"
row "second core: the system's font setup read" "$(ir floor 2 '???:FcInit [')" \
    "$(ir panel 2 '???:FcInit [')"
