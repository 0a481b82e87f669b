#!/usr/bin/python3
# Times each change of a running Tasselday's countdown line against the wall clock, as a
# user sees it: the line's pixels on the X server are read every millisecond, and each time
# they change the line's text is read once through the accessibility bus to learn which
# second it now shows. Nothing here asks the program for anything between its changes, so
# the watcher does not wake it or steer its timing. Prints one table row.
#
# The line says how much is left; with the program's clock at a known offset from the
# wall clock, that names the wall-clock second it stands for. For every wall-clock second
# N the lag is the time from N to the first change showing N (or a later second). A second
# never shown is skipped; a value left on screen for more than 1.5 s was shown twice.
# The hand-over is the first change after the ceremony second that shows no countdown:
# the main window going or the celebration window covering the line.
#
# Usage: fidelity_watch.py SECONDS OFFSET CEREMONY LABEL PID
#   OFFSET: seconds the program's clock runs behind the wall clock
#   CEREMONY: the ceremony moment as seconds since the epoch on the program's clock
#   PID: the program's process id, to find it on the accessibility bus
import ctypes
import hashlib
import re
import statistics
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib

seconds, offset, ceremony, label = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
pid = int(sys.argv[5])
SHAPE = re.compile(r"^(?:(?:(?:(?:(\d+) Weeks, )?(\d+) Days, )?(\d+) Hours, )?(\d+) Minutes, )?(\d+) Seconds!$")
UNITS = (7 * 86400, 86400, 3600, 60, 1)
POLL = 0.001     # seconds between two reads of the line's pixels
changes = []     # (wall time, wall-clock second the line stands for, text)
others = []      # wall times of changes that show no countdown: the hand-over under way


def left_of(text):
    m = SHAPE.match(text or "")
    if not m:
        return None
    return sum(int(g) * u for g, u in zip(m.groups(), UNITS) if g is not None)


class XImage(ctypes.Structure):  # the leading fields of Xlib's XImage
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.POINTER(XImage)
x11.XGetImage.argtypes = ([ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2
                          + [ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int])
x11.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
dpy = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(dpy)


def pixels(rect):
    img = x11.XGetImage(dpy, root, *rect, ctypes.c_ulong(-1), 2)  # ZPixmap
    if not img:
        return None
    try:
        i = img.contents
        return hashlib.blake2b(ctypes.string_at(i.data, i.bytes_per_line * i.height),
                               digest_size=16).digest()
    finally:
        x11.XDestroyImage(img)


def nodes(obj):
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        if child is not None:
            yield child
            yield from nodes(child)


def find_line():
    desk = Atspi.get_desktop(0)
    for i in range(desk.get_child_count()):
        app = desk.get_child_at_index(i)
        if app is None or app.get_process_id() != pid:
            continue
        for o in nodes(app):
            if o.get_role() == Atspi.Role.TEXT and left_of(text_of(o)) is not None:
                return o
    return None


def text_of(obj):
    try:
        return Atspi.Text.get_text(obj, 0, -1)
    except GLib.Error:
        return None


end = time.time() + seconds
line = None
while line is None and time.time() < end:
    line = find_line()
    if line is None:
        time.sleep(0.2)
if line is None:
    print(f"| {label} | countdown line not found | | | | |")
    sys.exit(1)
box = Atspi.Component.get_extents(line, Atspi.CoordType.SCREEN)
rect = (box.x, box.y, box.width, box.height)

last = pixels(rect)
while time.time() < end:
    time.sleep(POLL)
    now_pixels = pixels(rect)
    if now_pixels != last:
        now = time.time()
        last = now_pixels
        text = text_of(line)
        left = left_of(text)
        if left is not None and (not changes or changes[-1][2] != text):
            changes.append((now, ceremony - left + offset, text))
        elif left is None:
            others.append(now)

if len(changes) < 3:
    print(f"| {label} | no countdown seen ({len(changes)} changes) | | | | |")
    sys.exit(1)
# Leave out the first second (start-up) and anything after the hand-over.
first, last_second = changes[1][1], changes[-1][1]
lags, skipped, twice = [], 0, 0
shown = {c[1] for c in changes}
for n in range(first, last_second + 1):
    at = next(t for t, s, _ in changes if s >= n)
    lags.append((at - n) * 1000)
    skipped += n not in shown
for (t0, _, _), (t1, _, _) in zip(changes[1:], changes[2:]):
    twice += t1 - t0 > 1.5
row = (f"| {label} | {len(lags)} | {statistics.median(lags):.1f} | {max(lags):.1f} "
       f"| {skipped} | {twice} |")
handover = [t - (ceremony + offset) for t in others if t >= ceremony + offset]
if handover:
    row += f" {handover[0] * 1000:.1f} |"
else:
    row += " - |"
print(row)
