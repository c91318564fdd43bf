"""What the tests through the accessibility bus share: waiting for the bus
to tell something, and finding one game's windows and controls on it."""

import time

import pyatspi
from gi.repository import GLib

WAIT = 30  # seconds any one thing may take to show; the CI machine is slow
BOXES = (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, test, seconds=WAIT, seen=None):
    """Pumps events until test() gives something, or gives up loudly (saying
    what seen() tells, when given)."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        try:
            found = test()
        except Exception:  # an object went away while we looked at it
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise SystemExit(f"FAIL: never came: {what}" + (f"; showing: {seen()}" if seen else ""))


def showing(o):
    return o.getState().contains(pyatspi.STATE_SHOWING)


def descendants(o):
    for child in o:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def windows(pid):
    """The windows the process shows."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return [w for w in app if w is not None and showing(w)]
    return []


def window(pid, name):
    return next((w for w in windows(pid) if w.name == name), None)


def box(pid):
    return next((w for w in windows(pid) if w.getRole() in BOXES), None)


def control(win, role, name):
    return next((o for o in descendants(win) if o.getRole() == role and o.name == name and showing(o)), None)
