"""The order form as a screen reader meets it, through AT-SPI.

Run inside a session bus of its own (dbus-run-session). Starts an X server
on a free display, the accessibility bus, and the form; reads the tree with
pyatspi and drives the form with real keys (xdotool). Checks the control's
role, name, states and action, the drop-down's name and relation, its table
(the list's real row count, the shown columns under their captions, the
current row selected and focused) and the focus events while keys move in
it. Anything that cannot start is a failure, never a pass or a skip.
"""
import os
import subprocess
import sys
import time

FORM = sys.argv[1]
children = []


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def start(argv, **kwargs):
    p = subprocess.Popen(argv, **kwargs)
    children.append(p)
    return p


def poll(what, check, seconds=20.0):
    """Waits, pumping accessibility events, until check() gives a value."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        value = check()
        if value:
            return value
        time.sleep(0.05)
    fail("timed out waiting for " + what)


def pump():
    while GLib.MainContext.default().iteration(False):
        pass


def key(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True, env=env)


def main():
    global env, GLib, pyatspi
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        fail("no session bus (run under dbus-run-session)")
    # An X server on a display it picks itself.
    r, w = os.pipe()
    start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24", "-nolisten", "tcp"], pass_fds=(w,))
    os.close(w)
    display = os.read(r, 64).decode().strip()
    os.close(r)
    if not display:
        fail("Xvfb did not start")
    env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", GTK_MODULES="")
    os.environ.update(env)
    # Services the session bus starts (the registry) see the display too.
    subprocess.run(["dbus-update-activation-environment", "DISPLAY=:" + display], check=True)
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.path.exists(launcher):
        fail("at-spi2-core is not installed")
    start([launcher, "--launch-immediately"], env=env)

    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import GLib as _GLib
    import pyatspi as _pyatspi
    GLib, pyatspi = _GLib, _pyatspi

    start([FORM], env=env)

    def app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name == os.path.basename(FORM):
                return a
        return None

    form = poll("the form on the accessibility bus", app)

    def find(root, role, name=None, depth=0):
        if root is None or depth > 12:
            return None
        try:
            if root.getRoleName() == role and (name is None or root.name == name):
                return root
            n = min(root.childCount, 40)  # a table's cells are not walked
            if root.getRoleName() == "table":
                return None
            for i in range(n):
                found = find(root.getChildAtIndex(i), role, name, depth + 1)
                if found is not None:
                    return found
        except Exception:
            return None
        return None

    combo = poll("the control as a combo box named Customer", lambda: find(form, "combo box", "Customer"))

    def states(acc):
        s = acc.getState()
        return {name for name, value in
                [("expandable", pyatspi.STATE_EXPANDABLE), ("expanded", pyatspi.STATE_EXPANDED),
                 ("collapsed", pyatspi.STATE_COLLAPSED), ("focused", pyatspi.STATE_FOCUSED),
                 ("selected", pyatspi.STATE_SELECTED), ("editable", pyatspi.STATE_EDITABLE),
                 ("focusable", pyatspi.STATE_FOCUSABLE)] if s.contains(value)}

    s = states(combo)
    print("control states:", sorted(s))
    if "expandable" not in s or "expanded" in s:
        fail("the closed control is not expandable and collapsed: %s" % sorted(s))
    action = combo.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    print("control actions:", names)
    if not names:
        fail("the control has no action that opens it")
    text = find(combo, "text")
    if text is None:
        fail("the control has no editable text")
    if text.queryText().getText(0, -1) != "Customer 40":
        fail("the text is %r, not the chosen row's" % text.queryText().getText(0, -1))

    events = []

    def heard(event):
        try:
            src = event.source
            events.append((event.type, src.getRoleName(), src.name, RowOf(src)))
        except Exception as e:  # a cell gone meanwhile
            events.append((event.type, "?", str(e), None))

    def RowOf(acc):
        try:
            if acc.getRoleName() != "table cell":
                return None
            table = acc.parent.queryTable()
            return table.getRowAtIndex(acc.getIndexInParent())
        except Exception:
            return None

    pyatspi.Registry.registerEventListener(heard, "object:state-changed:focused", "focus:",
                                           "object:state-changed:expanded")
    # The form has the focus in the control; F4 opens the drop-down.
    subprocess.run(["xdotool", "search", "--sync", "--name", "Order form", "windowactivate", "--sync"], env=env)
    subprocess.run(["xdotool", "search", "--sync", "--name", "Order form", "windowfocus", "--sync"], env=env)
    time.sleep(0.3)  # the window manager-less server settles the focus
    key("F4")

    dialog = poll("the drop-down named after the control", lambda: find(form, "dialog", "Customer"))
    poll("the control to be expanded", lambda: "expanded" in states(combo))
    targets = []
    for rel in dialog.getRelationSet():
        for i in range(rel.getNTargets()):
            targets.append((rel.getRelationTypeName() if hasattr(rel, "getRelationTypeName") else rel.getRelationType(),
                            rel.getTarget(i).name, rel.getTarget(i).getRoleName()))
    print("drop-down relations:", targets)
    if not any(name == "Customer" and role == "combo box" for _, name, role in targets):
        fail("the drop-down is not related to its control")

    grid = poll("the table in the drop-down", lambda: find(dialog, "table"))
    table = grid.queryTable()
    print("table: rows=%d cols=%d" % (table.nRows, table.nColumns))
    if table.nRows != 50000 or table.nColumns != 3:
        fail("the table reports rows=%d cols=%d, not the list's 50000 rows in 3 shown columns"
             % (table.nRows, table.nColumns))
    captions = [table.getColumnHeader(c).name for c in range(3)]
    print("headers:", captions)
    if captions != ["Customer name", "Code", "City"]:
        fail("headers %r are not the captions" % captions)
    if list(table.getSelectedRows()) != [39]:
        fail("selected rows %r, not the current row 39 (row 40)" % list(table.getSelectedRows()))
    first = table.getAccessibleAt(39, 0)
    if first.name != "Customer 40" or "selected" not in states(first):
        fail("the current cell is %r %s" % (first.name, sorted(states(first))))

    # Three rows down: a focus event for each new current row, in order.
    del events[:]
    moves = []
    for expected in (40, 41, 42):
        key("Down")
        def focused_on(row=expected):
            return any(t.startswith("object:state-changed:focused") and r == row for t, _, _, r in events)
        poll("the focus event of row %d" % (expected + 1), focused_on, 5)
        moves.append(expected)
    rows = [r for t, role, _, r in events if t.startswith("object:state-changed:focused") and r is not None]
    print("focus events:", [(t, n, r) for t, _, n, r in events])
    gained = [r for r in rows]
    if [r for i, r in enumerate(gained) if i == 0 or r != gained[i - 1]] != [40, 41, 42]:
        fail("focus moved over rows %r, not 40, 41, 42 in order" % gained)
    cells = [table.getAccessibleAt(42, c).name for c in range(3)]
    print("row 43:", cells, "of", table.nRows)
    if cells != ["Rossi Mario", "C0012", "Torino"]:
        fail("row 43 reads %r" % cells)
    current = table.getAccessibleAt(42, 0)
    if not {"selected", "focused"} <= states(current):
        fail("the current cell is not selected and focused: %s" % sorted(states(current)))
    if list(table.getSelectedRows()) != [42]:
        fail("selected rows %r after the moves" % list(table.getSelectedRows()))
    if table.nRows != 50000:
        fail("the row count changed")

    # End: the last row of the whole list.
    del events[:]
    key("End")
    poll("the focus on the last row", lambda: any(r == 49999 for _, _, _, r in events), 5)
    last = table.getAccessibleAt(49999, 0)
    if last.name != "Customer 50000":
        fail("the last row reads %r" % last.name)

    # Escape closes the drop-down: the control is collapsed again.
    key("Escape")
    poll("the control to be collapsed", lambda: "expanded" not in states(combo))
    poll("the drop-down to go", lambda: find(form, "dialog", "Customer") is None, 5)
    if text.queryText().getText(0, -1) != "Customer 40":
        fail("closing without a choice changed the text")
    print("PASS")


try:
    main()
finally:
    for p in reversed(children):
        p.terminate()
    for p in reversed(children):
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            p.kill()
