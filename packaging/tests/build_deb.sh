#!/usr/bin/env bash
# Builds the Debian package from the build tree: build_deb.sh CPACK CPACK_CONFIG OUT_DIR
set -euo pipefail
cpack=$1 config=$2 out=$3
rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$config" -B "$out"
ls "$out"/quilldex2_*.deb
