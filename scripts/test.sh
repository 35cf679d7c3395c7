#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds everything and runs the whole test suite through CTest.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in
#                                build-sanitize/; any error aborts the test that hit it
#   scripts/test.sh --threads    ThreadSanitizer build in build-tsan/ of the tests of the
#                                camera threads (label "threads")
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" liblo-tools xvfb xauth xdotool x11-utils gdb weston xwayland qtwayland5 lintian appstream g++-mingw-w64-x86-64-posix \
    desktop-file-utils dpkg-dev
ptz_require_locale de_DE.UTF-8

case "${1:-}" in
"")
    build="$PTZ_ROOT/build"
    ptz_build "$build"
    ;;
--sanitize)
    build="$PTZ_ROOT/build-sanitize"
    ptz_build "$build" -DPTZ_SANITIZE=ON
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    export LSAN_OPTIONS=suppressions=$PTZ_ROOT/tests/sanitizers/lsan.supp
    ;;
--threads)
    # Qt is not built for ThreadSanitizer, so only the tests of our own threads run here.
    build="$PTZ_ROOT/build-tsan"
    cmake -S "$PTZ_ROOT" -B "$build" -DPTZ_THREAD_SANITIZE=ON >/dev/null
    cmake --build "$build" -j "$(nproc)" --target tst_cameraworker tst_onvif tst_v4l2 tst_v4l2motion tst_v4l2thread tst_visca \
        tst_pictures \
        tst_v4l2glide tst_viscaglide v4l2exit
    export TSAN_OPTIONS="halt_on_error=1 suppressions=$PTZ_ROOT/tests/sanitizers/tsan.supp"
    cd "$build"
    exec ctest --output-on-failure -j "$(nproc)" -L threads
    ;;
*)
    echo "usage: $0 [--sanitize | --threads]" >&2
    exit 2
    ;;
esac

cd "$build"
ctest --output-on-failure -j "$(nproc)"
