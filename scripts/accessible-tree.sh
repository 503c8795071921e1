#!/usr/bin/env bash
# Starts the built program on a virtual X display with its accessibility on and prints the tree a
# screen reader reads over AT-SPI: role, name, states and actions of every object.
#   scripts/accessible-tree.sh [--press]
# --press then runs the analyse button's press action, presses Home and Right in the input box,
# and prints the name changes heard and the tree again.
# The build directory is $QX_BUILD_DIR or build/. Needs xvfb, xauth, dbus, at-spi2-core and
# python3-pyatspi; --press also xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
press=0
[ "${1:-}" = --press ] && press=1
build=$(realpath "${QX_BUILD_DIR:-build}")
export QX_TREE_BUILD=$build QX_TREE_PRESS=$press
xvfb-run -a -s "-screen 0 800x600x24 -noreset" dbus-run-session -- bash -c '
    set -euo pipefail
    export XDG_RUNTIME_DIR=$(mktemp -d) QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    /usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null & bus=$!
    "$QX_TREE_BUILD/app/quilldex2" & app=$!
    trap "kill $app $bus 2>/dev/null || true; wait $app $bus 2>/dev/null || true; rm -rf \"\$XDG_RUNTIME_DIR\"" EXIT
    /usr/bin/python3 - <<"EOF"
import os, subprocess, sys, time
import pyatspi
from gi.repository import GLib

def find_app():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "quilldex2" and app.childCount > 0:
                return app
        time.sleep(0.1)
    sys.exit("the program did not appear on the accessibility bus")

def actions(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]

def dump(acc, depth=0):
    states = sorted(pyatspi.stateToString(s) for s in acc.getState().getStates()
                    if s in (pyatspi.STATE_FOCUSED, pyatspi.STATE_FOCUSABLE,
                             pyatspi.STATE_SHOWING, pyatspi.STATE_EDITABLE))
    line = "  " * depth + "[%s] \"%s\"" % (acc.getRoleName(), acc.name)
    if actions(acc):
        line += "  actions: " + ", ".join(actions(acc))
    if states:
        line += "  states: " + " ".join(states)
    if acc.getRoleName() == "text":
        text = acc.queryText().getText(0, -1)
        line += "  text: %d lines, \"%s\"" % (text.count("\n") + 1, text[:12].replace("\n", "\\n"))
    print(line, flush=True)
    for child in acc:
        dump(child, depth + 1)

def find(acc, role, name):
    if acc.getRoleName() == role and acc.name == name:
        return acc
    for child in acc:
        found = find(child, role, name)
        if found:
            return found
    return None

app = find_app()
time.sleep(0.5)
dump(app)
if os.environ["QX_TREE_PRESS"] == "1":
    heard = []
    def on_name(event):
        heard.append("%s \"%s\"" % (event.source.getRoleName(), event.source.name))
    def listen():
        context = GLib.MainContext.default()
        deadline = time.time() + 1
        while time.time() < deadline:
            context.iteration(False)
            time.sleep(0.01)
    pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
    find(app, "push button", "查詢").queryAction().doAction(0)
    for key in ("Home", "Right"):
        subprocess.run(["xdotool", "search", "--sync", "--name", "Quilldex 2", "windowfocus",
                        "--sync", "key", key], check=True)
        listen()
        print("\n%s: names changed: %s" % (key, ", ".join(heard)))
        heard.clear()
    print("\nafter the press action, then Home and Right in the input box:")
    dump(app)
EOF
'
