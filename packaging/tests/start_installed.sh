#!/usr/bin/env bash
# Unpacks the package into a scratch root, starts the program as its desktop entry says, on a
# virtual display, and waits for its window titled "Quilldex 2": start_installed.sh DEB_DIR
set -euo pipefail
if [ -z "${QX_ON_VIRTUAL_DISPLAY:-}" ]; then
    exec env QX_ON_VIRTUAL_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

debs=("$1"/quilldex2_*.deb)
[ -f "${debs[0]}" ] || { echo "no package in $1" >&2; exit 1; }
root=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$root"
}
trap cleanup EXIT
dpkg-deb -x "${debs[0]}" "$root"

entry=$root/usr/share/applications/quilldex2.desktop
command=$(sed -n 's/^Exec=//p' "$entry")
command=${command//%[a-zA-Z]/} # no field codes: nothing is passed to the program
export PATH=$root/usr/bin:$PATH
program=$(command -v "${command%% *}")
[ "$program" = "$root/usr/bin/quilldex2" ] || {
    echo "Exec '$command' runs '$program', not the packaged program" >&2
    exit 1
}
# A runtime folder of its own, so that a copy running on the developer's desktop does not
# count as the one copy this user may run.
export XDG_RUNTIME_DIR=$root/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

$command &
pid=$!
for _ in $(seq 1 100); do
    if xwininfo -name "Quilldex 2" 2>/dev/null | grep -q "Map State: IsViewable"; then
        echo "the installed program shows its window \"Quilldex 2\""
        exit 0
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && code=0 || code=$?
        pid=
        echo "the installed program ended (exit status $code) without showing its window" >&2
        exit 1
    fi
    sleep 0.2
done
echo "no window titled \"Quilldex 2\" appeared within 20 seconds" >&2
exit 1
