#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The start against the floor, before and after a change: the floor window (one label, one
# slider), the ptz-panel of a revision (default main) and the working tree's, started in turn
# under a private Xvfb, PTZ_BENCH_RUNS rounds (default 13). Reports medians of each round's
# launch-to-map ratio to the floor and resident memory over it, as bench/run.sh does, and of
# each panel's time from its start to its first camera loaded: the end of the start's
# connection in its timed call trace (the second MenuOff: the first connection, as the camera
# is listed, has filled the panel by then).
#   bench/startup_against.sh [REVISION | PROGRAM]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/measure.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb
ptz_build "$PTZ_ROOT/build"
work=$(mktemp -d)
trap 'ptz_stop_xvfb; rm -rf "$work"' EXIT
before=$(ptz_program_of "${1:-main}" "$work")

runs="${PTZ_BENCH_RUNS:-13}"
bench="$PTZ_ROOT/build/bench"
ptz_start_xvfb 1280x800x24
export CAMERACTRL_BACKEND=sim XDG_CONFIG_HOME="$work/config"
unset CAMERACTRL_SIM_DIR CAMERACTRL_TRACE

declare -A map rss libs ratio over loaded
for run in $(seq 1 "$runs"); do
    for program in floor before now; do
        case $program in
        floor) target=("$bench/bare_window" --floor) ;;
        before) target=("$before") ;;
        now) target=("$PTZ_ROOT/build/ptz-panel") ;;
        esac
        trace="$work/trace.$program"
        rm -f "$trace"
        [ "$program" = floor ] || export CAMERACTRL_TRACE="$trace" CAMERACTRL_TRACE_TIME=1
        read -r pid ms start < <("$bench/mapwatch" "${target[@]}" 2>/dev/null)
        unset CAMERACTRL_TRACE CAMERACTRL_TRACE_TIME
        sleep 2
        if [ "$program" != floor ]; then
            loaded[$program]+="$(awk -v s="$start" '$2 == "MenuOff" && ++n == 2 {
                printf "%.1f", ($1 - s) * 1000; exit }' "$trace" 2>/dev/null || true) "
        fi
        kib=$(rss_kib "$pid")
        map[$program]+="$ms "
        rss[$program]+="$kib "
        libs[$program]+="$(libraries "$pid") "
        if [ "$program" = floor ]; then
            floor_ms=$ms floor_kib=$kib
        else
            ratio[$program]+="$(awk -v p="$ms" -v f="$floor_ms" 'BEGIN { printf "%.3f", p / f }') "
            over[$program]+="$((kib - floor_kib)) "
        fi
        kill "$pid"
        while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    done
    echo "round $run of $runs done" >&2
done

m() { printf '%s\n' $1 | median; }
echo
echo "Medians over $runs rounds ($(nproc) cores)"
printf '%-8s %14s %10s %14s %16s %10s %14s\n' "" "launch (ms)" "x floor" "resident (KiB)" \
    "over floor (KiB)" libraries "camera (ms)"
for program in floor before now; do
    printf '%-8s %14s %10s %14s %16s %10s %14s\n' "$program" "$(m "${map[$program]}")" \
        "$(m "${ratio[$program]:-1}")" "$(m "${rss[$program]}")" "$(m "${over[$program]:-0}")" \
        "$(m "${libs[$program]}")" "$(m "${loaded[$program]:-}")"
done
