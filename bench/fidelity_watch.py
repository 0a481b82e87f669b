#!/usr/bin/python3
# Watches the countdown line of a running Tasselday through the accessibility bus and
# times each change against the wall clock. Prints one table row.
#
# The line says how much is left; with the program's clock at a known offset from the
# wall clock, that names the wall-clock second it stands for. For every wall-clock second
# N the lag is the time from N to the first change showing N (or a later second). A second
# never shown is skipped; a value left on screen for more than 1.5 s was shown twice.
#
# Usage: fidelity_watch.py SECONDS OFFSET CEREMONY LABEL
#   OFFSET: seconds the program's clock runs behind the wall clock
#   CEREMONY: the ceremony moment as seconds since the epoch on the program's clock
import re
import statistics
import sys
import time

import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib

seconds, offset, ceremony, label = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
SHAPE = re.compile(r"^(?:(?:(?:(?:(\d+) Weeks, )?(\d+) Days, )?(\d+) Hours, )?(\d+) Minutes, )?(\d+) Seconds!$")
UNITS = (7 * 86400, 86400, 3600, 60, 1)
changes = []     # (wall time, wall-clock second the line stands for)
handover = []    # wall time of the first window event after the countdown ended


def left_of(text):
    m = SHAPE.match(text)
    if not m:
        return None
    return sum(int(g) * u for g, u in zip(m.groups(), UNITS) if g is not None)


def on_text(event):
    now = time.time()
    try:
        if event.source.get_role() != Atspi.Role.TEXT:
            return
        text = event.source.get_text(0, -1)
    except GLib.Error:
        return
    left = left_of(text)
    if left is not None and (not changes or changes[-1][2] != text):
        changes.append((now, ceremony - left + offset, text))


def on_window(event):
    if changes and not handover:
        handover.append(time.time())


listener = Atspi.EventListener.new(on_text)
listener.register("object:text-changed:insert")
window_listener = Atspi.EventListener.new(on_window)
window_listener.register("window:create")
window_listener.register("window:activate")

end = time.time() + seconds
GLib.timeout_add(200, lambda: Atspi.event_quit() if time.time() > end else True)
Atspi.event_main()

if len(changes) < 3:
    print(f"| {label} | no countdown seen ({len(changes)} changes) | | | | |")
    sys.exit(1)
# Leave out the first second (start-up) and anything after the hand-over.
first, last = changes[1][1], changes[-1][1]
lags, skipped, twice = [], 0, 0
shown = {c[1] for c in changes}
for n in range(first, last + 1):
    at = next(t for t, s, _ in changes if s >= n)
    lags.append((at - n) * 1000)
    skipped += n not in shown
for (t0, _, _), (t1, _, _) in zip(changes[1:], changes[2:]):
    twice += t1 - t0 > 1.5
row = (f"| {label} | {len(lags)} | {statistics.median(lags):.1f} | {max(lags):.1f} "
       f"| {skipped} | {twice} |")
if handover and ceremony + offset <= handover[0]:
    row += f" {(handover[0] - (ceremony + offset)) * 1000:.1f} |"
else:
    row += " - |"
print(row)
