"""What the screen-reader walks share: checks, the event pump, the accessible tree, keys from
xdotool. Everything is read from the tree and its events, as a screen reader reads it."""

import subprocess
import time

import pyatspi
from gi.repository import GLib

failures = 0
heard = []  # (event type, role, name) as the events came


def check(ok, what):
    global failures
    print(("ok:   " if ok else "FAIL: ") + what, flush=True)
    failures += 0 if ok else 1
    return ok


def pump(seconds=0.0):
    """Lets the events that have come reach the listener."""
    end = time.time() + seconds
    while True:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        if time.time() >= end:
            return
        time.sleep(0.02)


def wait_for(condition, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        pump()
        try:
            if condition():
                return True
        except Exception:  # an object that went while it was read
            pass
        time.sleep(0.05)
    return False


def listen(event):
    heard.append((event.type, event.source.getRoleName(), event.source.name))


def start_listening():
    for kind in ("focus:", "object:state-changed:showing"):
        pyatspi.Registry.registerEventListener(listen, kind)


def children(obj):
    return [obj.getChildAtIndex(i) for i in range(obj.childCount)]


def find(root, role, name=None):
    """The first object from root on (depth first) with the role and name."""
    if root.getRoleName() == role and (name is None or root.name == name):
        return root
    return next((f for f in (find(c, role, name) for c in children(root) if c) if f), None)


def press(obj):
    obj.queryAction().doAction(0)


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "40", *names], check=True)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


def states(obj):
    return {pyatspi.stateToString(s) for s in obj.getState().getStates()}


def text_of(obj):
    return obj.queryText().getText(0, -1)


def application(name="dozudo"):
    desktop = pyatspi.Registry.getDesktop(0)
    if not wait_for(lambda: name in [a.name for a in children(desktop)]):
        return None
    return next(a for a in children(desktop) if a.name == name)
