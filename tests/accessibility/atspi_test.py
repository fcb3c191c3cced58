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
import shutil
import subprocess
import sys
import tempfile
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


def poll(what, check, seconds=20.0, pumping=True):
    """Waits, pumping accessibility events, until check() gives a value."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if pumping:
            pump()
        try:
            value = check()
        except Exception:  # an object not there yet, or gone meanwhile
            value = None
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
    global env, GLib, pyatspi, runtime
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        fail("no session bus (run under dbus-run-session)")
    for program in ("Xvfb", "xdotool", "dbus-update-activation-environment"):
        if shutil.which(program) is None:
            fail(program + " is not installed (scripts/setup installs it)")
    # An X server on a display it picks itself.
    r, w = os.pipe()
    start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1024x768x24", "-nolisten", "tcp"], pass_fds=(w,))
    os.close(w)
    # The server writes the number and then a newline: closing the pipe
    # before the newline arrives kills it, so the whole line is read.
    display = b""
    while not display.endswith(b"\n"):
        chunk = os.read(r, 64)
        if not chunk:
            break
        display += chunk
    os.close(r)
    display = display.decode().strip()
    runtime = tempfile.mkdtemp(prefix="atspi-test-")
    os.chmod(runtime, 0o700)
    if not display:
        fail("Xvfb did not start")
    env = dict(os.environ, DISPLAY=":" + display, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", GTK_MODULES="", GSETTINGS_BACKEND="memory",
               XDG_RUNTIME_DIR=runtime)
    env.pop("NO_AT_BRIDGE", None)
    os.environ.clear()
    os.environ.update(env)
    # Services the session bus starts (the accessibility bus and, on it, the
    # registry) see the display too.
    subprocess.run(["dbus-update-activation-environment", "DISPLAY=:" + display, "XDG_RUNTIME_DIR=" + runtime,
                    "GSETTINGS_BACKEND=memory"], check=True)

    import gi
    gi.require_version("Atspi", "2.0")
    gi.require_version("Gio", "2.0")
    from gi.repository import GLib as _GLib, Gio
    GLib = _GLib

    # The accessibility bus: its launcher owns org.a11y.Bus on the session
    # bus and hands out the address of a bus of its own, where the registry
    # daemon runs. Both are started here and waited for, so that neither the
    # form nor pyatspi starts a second one of its own through activation.
    launcher = "/usr/libexec/at-spi-bus-launcher"
    registryd = "/usr/libexec/at-spi2-registryd"
    for program in (launcher, registryd):
        if not os.path.exists(program):
            fail(program + " is missing (at-spi2-core is not installed)")
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def has_owner(bus, name):
        reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                              "NameHasOwner", GLib.Variant("(s)", (name,)), None, Gio.DBusCallFlags.NONE, 5000,
                              None)
        return reply.unpack()[0]

    start([launcher, "--launch-immediately"], env=env)
    poll("org.a11y.Bus on the session bus", lambda: has_owner(session, "org.a11y.Bus"), 30, pumping=False)

    def a11y_address():
        try:
            reply = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None,
                                      Gio.DBusCallFlags.NONE, 5000, None)
            return reply.unpack()[0]
        except GLib.Error:
            return None

    address = poll("the accessibility bus's address", a11y_address, 30, pumping=False)
    # Assistive technology is on: toolkits that ask (rather than being told
    # by QT_LINUX_ACCESSIBILITY_ALWAYS_ON) hear so.
    session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))), None,
                      Gio.DBusCallFlags.NONE, 5000, None)
    a11y = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)
    if not has_owner(a11y, "org.a11y.atspi.Registry"):
        start([registryd], env=env)
    poll("the registry on the accessibility bus", lambda: has_owner(a11y, "org.a11y.atspi.Registry"), 30,
         pumping=False)

    import pyatspi as _pyatspi
    pyatspi = _pyatspi

    start([FORM], env=env)

    def app():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name == os.path.basename(FORM):
                return a
        return None

    # The form registers once its event loop runs: waited for, however long
    # a loaded machine takes.
    form = poll("the form on the accessibility bus", app, 45)

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

    combo = poll("the control as a combo box named Customer", lambda: find(form, "combo box", "Customer"), 30)

    def states(acc):
        s = acc.getState()
        return {name for name, value in
                [("expandable", pyatspi.STATE_EXPANDABLE), ("expanded", pyatspi.STATE_EXPANDED),
                 ("collapsed", pyatspi.STATE_COLLAPSED), ("focused", pyatspi.STATE_FOCUSED),
                 ("selected", pyatspi.STATE_SELECTED), ("editable", pyatspi.STATE_EDITABLE),
                 ("focusable", pyatspi.STATE_FOCUSABLE)] if s.contains(value)}

    s = states(combo)
    print("control states:", sorted(s))
    if not {"expandable", "collapsed"} <= s or "expanded" in s:
        fail("the closed control is not expandable and collapsed: %s" % sorted(s))
    action = combo.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    print("control actions:", names, [action.getKeyBinding(i) for i in range(action.nActions)])
    if len(names) != 1 or not names[0]:
        fail("the control has not one action that opens and closes it: %r" % names)
    text = find(combo, "text")
    if text is None:
        fail("the control has no editable text")
    print("text:", repr(text.name), sorted(states(text)))
    if text.name != "Customer" or "editable" not in states(text):
        fail("the text box is %r %s, not the editable text named after the control" % (text.name, sorted(states(text))))
    if text.queryText().getText(0, -1) != "Customer 40":
        fail("the text is %r, not the chosen row's" % text.queryText().getText(0, -1))

    events = []

    def RowOf(acc):
        try:
            if acc.getRoleName() != "table cell":
                return None
            table = acc.parent.queryTable()
            return table.getRowAtIndex(acc.getIndexInParent())
        except Exception:
            return None

    def heard(event):
        try:
            src = event.source
            events.append((event.type, src.getRoleName(), src.name, RowOf(src), event.detail1))
        except Exception as e:  # a cell gone meanwhile
            events.append((event.type, "?", str(e), None, event.detail1))

    pyatspi.Registry.registerEventListener(heard, "object:state-changed:focused", "object:state-changed:selected",
                                           "object:state-changed:expanded", "object:selection-changed",
                                           "object:active-descendant-changed")

    # No window manager runs: the server gives the keys to the window that
    # has the input focus, which the form's window is given here.
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Order form"], env=env,
                           capture_output=True, text=True, check=True).stdout.split()
    if not found:
        fail("the form's window is not on the X server")
    subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], env=env, check=True)
    poll("the text box to have the focus", lambda: "focused" in states(text), 30)

    def relation_targets(acc):
        out = []
        for rel in acc.getRelationSet():
            for i in range(rel.getNTargets()):
                out.append((rel.getRelationType(), rel.getTarget(i)))
        return out

    def drop_down():
        for kind, target in relation_targets(combo):
            if kind == pyatspi.RELATION_CONTROLLER_FOR and target.getRoleName() == "dialog":
                return target
        return None

    # F4 opens the drop-down: the control is expanded and controls it.
    key("F4")
    poll("the control to be expanded", lambda: "expanded" in states(combo))
    dialog = poll("the drop-down the control controls", drop_down)
    print("drop-down:", dialog.getRoleName(), repr(dialog.name))
    if dialog.name != "Customer":
        fail("the drop-down is named %r, not after the control" % dialog.name)
    targets = [(kind, t.getRoleName(), t.name) for kind, t in relation_targets(dialog)]
    print("drop-down relations:", targets)
    if (pyatspi.RELATION_CONTROLLED_BY, "combo box", "Customer") not in targets:
        fail("the drop-down is not controlled by its control")

    grid = poll("the table in the drop-down", lambda: find(dialog, "table"))
    table = grid.queryTable()
    print("table: %r rows=%d cols=%d" % (grid.name, table.nRows, table.nColumns))
    if table.nRows != 50000 or table.nColumns != 3:
        fail("the table reports rows=%d cols=%d, not the list's 50000 rows in 3 shown columns"
             % (table.nRows, table.nColumns))
    captions = [table.getColumnHeader(c).name for c in range(3)]
    print("headers:", captions, [table.getColumnHeader(c).getRoleName() for c in range(3)])
    if captions != ["Customer name", "Code", "City"]:
        fail("headers %r are not the captions" % captions)
    if list(table.getSelectedRows()) != [39]:
        fail("selected rows %r, not the current row 39 (row 40)" % list(table.getSelectedRows()))

    def current_cell(row):
        cell = table.getAccessibleAt(row, 0)
        return cell if {"selected", "focused"} <= states(cell) else None

    first = poll("row 40 selected and focused", lambda: current_cell(39))
    if first.name != "Customer 40" or RowOf(first) != 39 or table.getRowDescription(39) != "40":
        fail("the current cell is %r at row %r (%r)" % (first.name, RowOf(first), table.getRowDescription(39)))

    # Each move in the grid: the table tells its selection changed, then the
    # new current row's cell gains the focus, once, in that order.
    def gained(evs):
        return [r for t, role, _, r, d in evs if t == "object:state-changed:focused" and d == 1 and r is not None]

    def move(name, expected=None):
        before = list(table.getSelectedRows())
        previous = before[0]
        del events[:]
        key(name)
        if expected is None:  # the page's size is the grid's own
            poll("the current row to leave %r after %s" % (before, name),
                 lambda: list(table.getSelectedRows()) not in ([], before))
            expected = table.getSelectedRows()[0]
        poll("the focus event of row %d after %s" % (expected + 1, name), lambda: expected in gained(events), 10)
        seen = list(events)
        print(name, "->", expected + 1, [(t.split(":")[-1], role, n, r, d) for t, role, n, r, d in seen])
        if gained(seen) != [expected]:
            fail("%s: the focus went to rows %r, not to %d only" % (name, gained(seen), expected))
        selected = [r for t, _, _, r, d in seen if t == "object:state-changed:selected" and d == 1 and r is not None]
        if selected != [expected]:
            fail("%s: rows %r were selected, not %d only" % (name, selected, expected))
        focus_at = next(i for i, e in enumerate(seen) if e[0] == "object:state-changed:focused" and e[4] == 1)
        selected_at = next(i for i, e in enumerate(seen) if e[0] == "object:state-changed:selected" and e[4] == 1)
        left = [i for i, e in enumerate(seen) if e[0] == "object:state-changed:selected" and e[4] == 0]
        # The old row's cell is gone by the time it is read when the move
        # took it off screen: nothing is kept for rows not shown.
        if selected_at > focus_at or [seen[i][3] for i in left] not in ([previous], [None]) or left[0] > selected_at:
            fail("%s: not the old row %d unselected, then the new one selected, then focused: %r"
                 % (name, previous, seen))
        if list(table.getSelectedRows()) != [expected]:
            fail("%s: selected rows %r, not [%d]" % (name, list(table.getSelectedRows()), expected))
        cell = table.getAccessibleAt(expected, 0)
        if not {"selected", "focused"} <= states(cell):
            fail("%s: the current cell is not selected and focused: %s" % (name, sorted(states(cell))))
        return expected

    for name, row in (("Down", 40), ("Down", 41), ("Down", 42)):
        move(name, row)
    cells = [table.getAccessibleAt(42, c).name for c in range(3)]
    print("row %d:" % (RowOf(table.getAccessibleAt(42, 0)) + 1), cells, "of", table.nRows)
    if cells != ["Rossi Mario", "C0012", "Torino"] or RowOf(table.getAccessibleAt(42, 0)) != 42:
        fail("row 43 reads %r" % cells)
    move("Up", 41)
    page = move("Next")
    if page <= 41:
        fail("Page Down moved up, to row %d" % (page + 1))
    move("Down", page + 1)
    if table.nRows != 50000:
        fail("the row count changed")
    move("End", 49999)
    last = table.getAccessibleAt(49999, 0)
    if last.name != "Customer 50000":
        fail("the last row reads %r" % last.name)

    # (Qt 6.4's bridge passes no expanded-state change on as an event: the
    # state is read as the reader reads it, when the focus comes back.)
    # Escape closes the drop-down: the control is collapsed again and no
    # longer controls a window, and the focus is back in its text.
    del events[:]
    key("Escape")
    poll("the control to be collapsed", lambda: "collapsed" in states(combo) and "expanded" not in states(combo))
    poll("the drop-down to go", lambda: drop_down() is None, 10)
    if text.queryText().getText(0, -1) != "Customer 40":
        fail("closing without a choice changed the text")
    poll("the focus back in the text", lambda: any(
        t == "object:state-changed:focused" and d == 1 and role == "text" for t, role, _, _, d in events), 10)

    # The control's action opens the drop-down and, done again, closes it.
    del events[:]
    action.doAction(0)
    poll("the action to open the drop-down", lambda: "expanded" in states(combo) and drop_down() is not None)
    action.doAction(0)
    poll("the action to close the drop-down", lambda: "expanded" not in states(combo) and drop_down() is None)
    print("PASS")

runtime = None
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
    if runtime:
        shutil.rmtree(runtime, ignore_errors=True)
