#!/usr/bin/env bash
# Regenerates platform/phonetic/data/reading-order.txt from the dictionary's own figures and the
# other Taiwan phonetic dictionaries that Debian ships, and names the package versions it read.
# Those packages are for this script only: the program reads the committed file.
set -euo pipefail
cd "$(dirname "$0")/../.."
build_dir=${QX_BUILD_DIR:-build}
terra=/usr/share/rime-data/terra_pinyin.dict.yaml
libzhuyin=/usr/lib/x86_64-linux-gnu/ibus-libzhuyin/data/tsi.bin
peers=(rime-data-terra-pinyin ibus-libzhuyin)

missing=()
for p in "${peers[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

[ -d "$build_dir" ] || scripts/build.sh >/dev/null
cmake --build "$build_dir" --target reading-evidence >/dev/null
evidence=$(mktemp)
trap 'rm -f "$evidence"' EXIT
"$build_dir/tools/readingorder/reading-evidence" >"$evidence"

sources=()
for p in libchewing3-data "${peers[@]}"; do
    sources+=(--source "$p $(dpkg-query -W -f='${Version}' "$p")")
done
python3 tools/readingorder/distil_reading_order.py --evidence "$evidence" --terra "$terra" \
    --libzhuyin "$libzhuyin" --exceptions platform/phonetic/data/reading-order-exceptions.txt \
    --output platform/phonetic/data/reading-order.txt "${sources[@]}" "$@"
