"""Runs qt_screenshots in every look and checks the pictures it writes.

usage: check_screenshots.py PROGRAM DIR

Each picture must be a PNG that is not empty; the same scene must come out
the same size in the light, dark and right-to-left looks, exactly twice as
wide and high at twice the scale, larger with the 16 pt font, and an open
drop-down must add to the closed control's picture. Looking at them is left
to people: docs/qt.md shows one set.
"""
import json
import os
import struct
import subprocess
import sys

PROGRAM, DIR = sys.argv[1], sys.argv[2]
LOOKS = ["light", "dark", "big", "rtl", "scale2"]
SCENES = ["form-closed", "form-open", "demo-closed", "demo-open"]
failures = []


def size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        failures.append("%s is not a PNG" % path)
        return (0, 0)
    return struct.unpack(">II", head[16:24])


def screen(width, height):
    """An offscreen screen of that many pixels, large enough that the
    drop-down hangs below its control, as on a desktop."""
    path = os.path.join(DIR, "screen-%dx%d.json" % (width, height))
    with open(path, "w") as f:
        json.dump({"screens": [{"name": "shots", "x": 0, "y": 0, "width": width, "height": height,
                                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}, f)
    return "offscreen:configfile=" + path


for look in LOOKS:
    env = dict(os.environ, QT_QPA_PLATFORM=screen(1280, 1024))
    env.pop("QT_SCALE_FACTOR", None)
    if look == "scale2":
        env["QT_SCALE_FACTOR"] = "2"
        env["QT_QPA_PLATFORM"] = screen(2560, 2048)
    for scene in SCENES:
        path = os.path.join(DIR, "%s-%s.png" % (look, scene))
        if os.path.exists(path):
            os.remove(path)
    run = subprocess.run([PROGRAM, look, DIR], env=env, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        failures.append("%s: exit %d: %s" % (look, run.returncode, run.stderr.strip()))

sizes = {}
for look in LOOKS:
    for scene in SCENES:
        path = os.path.join(DIR, "%s-%s.png" % (look, scene))
        if not os.path.exists(path) or os.path.getsize(path) == 0:
            failures.append("%s is missing or empty" % path)
            continue
        sizes[look, scene] = size(path)
        print("%-7s %-12s %4d x %4d  %6d bytes" % (look, scene, *sizes[look, scene], os.path.getsize(path)))

for scene in SCENES:
    light = sizes.get(("light", scene))
    if light is None:
        continue
    # Right to left, the drop-down hangs off the other side of the window.
    for look in ("dark", "rtl") if scene.endswith("closed") else ("dark",):
        if sizes.get((look, scene)) not in (None, light):
            failures.append("%s %s is %r, not the light one's %r" % (look, scene, sizes[look, scene], light))
    # Twice the pixels, give or take the few the fonts' hinting moves at
    # the larger size.
    double = sizes.get(("scale2", scene))
    if double is not None and any(abs(d - 2 * l) > 0.03 * 2 * l for d, l in zip(double, light)):
        failures.append("scale2 %s is %r, not twice %r" % (scene, double, light))
    big = sizes.get(("big", scene))
    if big is not None and (big[0] < light[0] or big[1] < light[1] or big == light):
        failures.append("big %s is %r, not larger than %r" % (scene, big, light))
for look in LOOKS:
    for what in ("form", "demo"):
        closed = os.path.join(DIR, "%s-%s-closed.png" % (look, what))
        opened = os.path.join(DIR, "%s-%s-open.png" % (look, what))
        if os.path.exists(closed) and os.path.exists(opened):
            with open(closed, "rb") as a, open(opened, "rb") as b:
                if a.read() == b.read():
                    failures.append("%s %s: the open drop-down shows nothing" % (look, what))

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
