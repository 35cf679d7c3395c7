#!/usr/bin/env bash
# Builds everything and runs the whole test suite through CTest.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}" xvfb xauth xdotool x11-utils g++-mingw-w64-x86-64-posix

build="$PTZ_ROOT/build"
ptz_build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
