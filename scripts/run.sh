#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quilldex 2.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    exit 1
fi
scripts/install-deps.sh
scripts/build.sh
exec "${QX_BUILD_DIR:-build}/app/quilldex2"
