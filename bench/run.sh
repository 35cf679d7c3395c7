#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Measures the real panel (simulated camera) against a bare Qt window with the same window
# flags, alternating them under a private Xvfb, and reports medians over PTZ_BENCH_RUNS runs
# (default 10), then the in-process benchmarks and the slow V4L2 camera. Exits non-zero when a
# target is missed.
# A second bare window that also skips OpenGL, as the panel does, shows the panel's own cost.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb xdotool
ptz_build "$PTZ_ROOT/build"

runs="${PTZ_BENCH_RUNS:-10}"
bench="$PTZ_ROOT/build/bench"
panel_program="$PTZ_ROOT/build/ptz-panel"

ptz_start_xvfb 1280x800x24
export CAMERACTRL_BACKEND=sim
unset CAMERACTRL_SIM_DIR CAMERACTRL_TRACE
trap ptz_stop_xvfb EXIT

# CPU time of every thread of a process, in nanoseconds.
cpu_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%d", sum }'
}

# Percent of one core used by PID while COMMAND runs (or for SECONDS when it is a number).
cpu_during() {
    local pid=$1
    shift
    local before after t0 t1
    before=$(cpu_ns "$pid")
    t0=$(date +%s%N)
    if [[ "$1" =~ ^[0-9.]+$ ]]; then sleep "$1"; else "$@" >/dev/null; fi
    t1=$(date +%s%N)
    after=$(cpu_ns "$pid")
    awk -v c=$((after - before)) -v t=$((t1 - t0)) 'BEGIN { printf "%.2f", 100 * c / t }'
}

rss_kib() {
    awk '/^VmRSS:/ { print $2 }' /proc/"$1"/status
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# A circle of pointer moves around the joystick's middle, about 100 a second for 3 s.
drag_moves=()
for i in $(seq 0 299); do
    x=$(awk -v i="$i" 'BEGIN { printf "%d", 387 + 40 * cos(i / 15) }')
    y=$(awk -v i="$i" 'BEGIN { printf "%d", 135 + 40 * sin(i / 15) }')
    drag_moves+=(mousemove --window WINDOW "$x" "$y" sleep 0.01)
done

declare -a map_panel map_bare map_raster rss_panel rss_bare rss_raster idle_panel idle_bare still drag
xdotool mousemove 1200 750
for run in $(seq 1 "$runs"); do
    for program in panel bare raster; do
        case $program in
        panel) target=("$panel_program") ;;
        bare) target=("$bench/bare_window") ;;
        raster) target=("$bench/bare_window" --raster) ;;
        esac
        read -r pid ms < <("$bench/mapwatch" "${target[@]}" 2>/dev/null)
        sleep 2
        rss=$(rss_kib "$pid")
        idle=$(cpu_during "$pid" 5)
        if [ "$program" = panel ]; then
            map_panel+=("$ms"); rss_panel+=("$rss"); idle_panel+=("$idle")
            window=$(xdotool search --onlyvisible --name '^PTZ Panel$' | head -n 1)
            xdotool mousemove --window "$window" 387 135 mousedown 1
            sleep 0.3
            still+=("$(cpu_during "$pid" 3)")
            drag+=("$(cpu_during "$pid" xdotool "${drag_moves[@]/WINDOW/$window}")")
            xdotool mouseup 1 mousemove 1200 750
        elif [ "$program" = bare ]; then
            map_bare+=("$ms"); rss_bare+=("$rss"); idle_bare+=("$idle")
        else
            map_raster+=("$ms"); rss_raster+=("$rss")
        fi
        kill "$pid"
        while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    done
    echo "run $run of $runs done" >&2
done

m() { printf '%s\n' "$@" | median; }
map_p=$(m "${map_panel[@]}"); map_b=$(m "${map_bare[@]}")
rss_p=$(m "${rss_panel[@]}"); rss_b=$(m "${rss_bare[@]}")
map_r=$(m "${map_raster[@]}"); rss_r=$(m "${rss_raster[@]}")
idle_p=$(m "${idle_panel[@]}"); idle_b=$(m "${idle_bare[@]}")
still_p=$(m "${still[@]}"); drag_p=$(m "${drag[@]}")

missed=0
check() { # name value verdict-expression
    if awk "BEGIN { exit !($3) }"; then printf '%-34s %12s   ok\n' "$1" "$2"; else
        printf '%-34s %12s   MISSED\n' "$1" "$2"; missed=1; fi
}
echo
echo "Medians over $runs runs ($(nproc) cores, $(uname -m))"
printf '%-34s %12s\n' "bare window: launch to map (ms)" "$map_b"
printf '%-34s %12s\n' "bare window: resident (KiB)" "$rss_b"
printf '%-34s %12s\n' "bare window: idle CPU (%)" "$idle_b"
printf '%-34s %12s\n' "bare raster window: launch (ms)" "$map_r"
printf '%-34s %12s\n' "bare raster window: resident (KiB)" "$rss_r"
check "panel: launch to map (ms)" "$map_p" "$map_p <= 1.3 * $map_b"
awk -v p="$map_p" -v b="$map_b" 'BEGIN { printf "%-34s %12.2f   (target 1.3, aim 1.1)\n", "  ratio to bare window", p / b }'
check "panel: resident (KiB)" "$rss_p" "$rss_p <= $rss_b + 8192"
check "panel: idle CPU over 5 s (%)" "$idle_p" "$idle_p < 0.05"
check "panel: joystick held still (%)" "$still_p" "$still_p <= 1"
check "panel: joystick dragged (%)" "$drag_p" "$drag_p <= 15"

echo
QT_QPA_PLATFORM=offscreen "$bench/bench_inprocess" 2>/dev/null | grep -E '^(RESULT|PASS|FAIL)|msecs|per iteration' || true

echo
echo "A V4L2 camera that takes 200 ms per request:"
"$bench/bench_slowcamera" 200 2>/dev/null || missed=1
echo "The same, 5 ms per request:"
"$bench/bench_slowcamera" 5 2>/dev/null || missed=1

echo
echo "The HTTP API, one client as fast as it is answered:"
"$bench/bench_http" 2>/dev/null || missed=1

echo
echo "Game controllers:"
"$bench/bench_gamepad" 2>/dev/null || missed=1

echo
echo "A VISCA camera over loopback:"
for transport in udp tcp; do
    "$bench/bench_visca" "$transport" 2>/dev/null || missed=1
done

echo
echo "Preset glides on the simulated camera:"
"$bench/bench_glide" 2>/dev/null || missed=1
exit "$missed"
