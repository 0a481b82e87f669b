#!/usr/bin/python3
# Starts one program on the X display in $DISPLAY and measures what it costs at rest:
# start-up time to its first mapped window and to that window's first frame drawn (the first
# damage the X server reports on it), then over IDLE seconds (after a short settling time) CPU
# time in nanoseconds (/proc/PID/schedstat) and wake-ups (voluntary context switches), and
# finally its peak resident memory. Prints: startup_ms cpu_ns wakeups hwm_kb frame_ms
# Usage: idle_cost.py IDLE PROGRAM [ARGS...]
import ctypes
import os
import subprocess
import sys
import time

idle = float(sys.argv[1])
program = sys.argv[2:]


def schedstat(pid):
    with open(f"/proc/{pid}/schedstat") as f:
        return int(f.read().split()[0])


def status(pid, key):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(key + ":"):
                return int(line.split()[1])
    raise KeyError(key)


def threads_sum(pid, read):
    # A Qt program runs a few threads (the X connection, D-Bus): all of them count. A thread
    # that starts and ends between the two readings is not seen: check with strace -f.
    return sum(read(f"{pid}/task/{tid}") for tid in os.listdir(f"/proc/{pid}/task"))


# The root window reports every top-level window that is made and mapped; the Damage extension
# reports the first drawing into it.
x11, xdamage = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXdamage.so.1")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xdamage.XDamageQueryExtension.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_int)] * 2
xdamage.XDamageQueryVersion.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_int)] * 2
xdamage.XDamageCreate.restype = ctypes.c_ulong
xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
CREATE_NOTIFY, MAP_NOTIFY, SUBSTRUCTURE_NOTIFY, DAMAGE_REPORT_NON_EMPTY = 16, 19, 1 << 19, 3
dpy = x11.XOpenDisplay(None)
base, error, major, minor = (ctypes.c_int(v) for v in (0, 0, 1, 1))
if not xdamage.XDamageQueryExtension(dpy, base, error):
    sys.exit("idle_cost.py: the X server has no Damage extension")
xdamage.XDamageQueryVersion(dpy, major, minor)
x11.XSelectInput(dpy, x11.XDefaultRootWindow(dpy), SUBSTRUCTURE_NOTIFY)
x11.XSync(dpy, 0)
# An XEvent as longs: the type, then (for these events) the window in the sixth long, or for
# a damage report the drawable in the fifth.
event = (ctypes.c_long * 24)()

t0 = time.monotonic()
app = subprocess.Popen(program, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
mapped = None
while True:
    x11.XNextEvent(dpy, event)
    kind = event[0] & 0x7F
    if kind == CREATE_NOTIFY:
        xdamage.XDamageCreate(dpy, event[5], DAMAGE_REPORT_NON_EMPTY)
    elif kind == MAP_NOTIFY and mapped is None:
        mapped, startup_ms = event[5], (time.monotonic() - t0) * 1000
    elif kind == base.value and event[4] == mapped:
        frame_ms = (time.monotonic() - t0) * 1000
        break

time.sleep(2)  # let start-up work settle
cpu0 = threads_sum(app.pid, schedstat)
wake0 = threads_sum(app.pid, lambda p: status(p, "voluntary_ctxt_switches"))
time.sleep(idle)
cpu1 = threads_sum(app.pid, schedstat)
wake1 = threads_sum(app.pid, lambda p: status(p, "voluntary_ctxt_switches"))
hwm = status(app.pid, "VmHWM")
app.kill()
app.wait()
print(f"{startup_ms:.1f} {cpu1 - cpu0} {wake1 - wake0} {hwm} {frame_ms:.1f}")
