#!/usr/bin/env bash
# Fails when a layer includes one above it. Each rule: a folder, then the folders its files must
# not include. The platform knows nothing of the lookup or the window, and the phonetic dictionary
# nothing of the Windows-shaped Input Method Manager built on it.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
forbid() {
    local folder=$1
    shift
    for above in "$@"; do
        if grep -rnE "^#include [\"<]$above/" "$folder" --include='*.cpp' --include='*.h'; then
            echo "layering: $folder must not include $above/" >&2
            status=1
        fi
    done
}
forbid platform lookup window app tools
forbid platform/codepage platform/phonetic platform/imm platform/forms platform/desktop
forbid platform/phonetic platform/imm platform/forms platform/desktop
forbid platform/imm platform/forms platform/desktop
forbid lookup window app tools
forbid window app tools
[ "$status" -eq 0 ] && echo "layering: no layer includes one above it"
exit "$status"
