#!/usr/bin/env bash
# The real program on a virtual X display tells the user once when the phonetic dictionary is
# missing (or a pipe stands in for it), and shows nothing more when it is there.
#   dictionary_notice_test.sh PROGRAM SYSTEM_DICTIONARY_FOLDER
set -euo pipefail
program=$1 system=$2
for tool in xvfb-run xdotool mkfifo; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/empty" "$scratch/pipe"
cp "$system"/* "$scratch/pipe/"
rm "$scratch/pipe/index_tree.dat"
mkfifo "$scratch/pipe/index_tree.dat"

# Windows titled as ours once the program has settled: its window, and a notice if one is shown.
windows_with() {
    QX_PROGRAM=$program QX_DICTIONARY=$1 xvfb-run -a -s "-noreset" bash -c '
        unset QT_QPA_PLATFORM
        export XDG_RUNTIME_DIR=$(mktemp -d) CHEWING_PATH=$QX_DICTIONARY
        "$QX_PROGRAM" 2>/dev/null & app=$!
        trap "kill $app 2>/dev/null || true; wait $app 2>/dev/null || true; rm -rf $XDG_RUNTIME_DIR" EXIT
        count() { xdotool search --onlyvisible --name "^Quilldex 2\$" 2>/dev/null | wc -l; }
        for _ in $(seq 100); do [ "$(count)" -ge 1 ] && break; sleep 0.1; done
        for _ in $(seq 50); do [ "$(count)" -ge 2 ] && break; sleep 0.1; done
        count'
}

status=0
expect() {
    local got
    got=$(windows_with "$2")
    if [ "$got" = "$3" ]; then echo "ok: $1"; else echo "FAIL: $1: $got windows, not $3"; status=1; fi
}
expect "missing dictionary: the window and one notice" "$scratch/empty" 2
expect "a pipe in a file's place: the window and one notice" "$scratch/pipe" 2
expect "dictionary there: the window alone" "$system" 1
exit $status
