#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the panel and starts it with the simulated camera; every camera call is traced
# to stderr. Extra arguments go to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

ptz_require "${PTZ_BUILD_PACKAGES[@]}"
ptz_build "$PTZ_ROOT/build"

export CAMERACTRL_BACKEND="${CAMERACTRL_BACKEND:-sim}"
export CAMERACTRL_TRACE="${CAMERACTRL_TRACE:--}"
exec "$PTZ_ROOT/build/ptz-panel" "$@"
