#!/usr/bin/python3
# Starts one program on the X display in $DISPLAY and measures what it costs at rest:
# start-up time to its first mapped window, then over IDLE seconds (after a short settling
# time) CPU time in nanoseconds (/proc/PID/schedstat) and wake-ups (voluntary context
# switches), and finally its peak resident memory. Prints: startup_ms cpu_ns wakeups hwm_kb
# Usage: idle_cost.py IDLE PROGRAM [ARGS...]
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


# xev on the root window reports every top-level window that is mapped.
xev = subprocess.Popen(["xev", "-root", "-event", "substructure"], stdout=subprocess.PIPE,
                       text=True, bufsize=1)
time.sleep(0.5)
t0 = time.monotonic()
app = subprocess.Popen(program, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
for line in xev.stdout:
    if line.startswith("MapNotify"):
        break
startup_ms = (time.monotonic() - t0) * 1000
xev.kill()

time.sleep(2)  # let start-up work settle
cpu0 = threads_sum(app.pid, schedstat)
wake0 = threads_sum(app.pid, lambda p: status(p, "voluntary_ctxt_switches"))
time.sleep(idle)
cpu1 = threads_sum(app.pid, schedstat)
wake1 = threads_sum(app.pid, lambda p: status(p, "voluntary_ctxt_switches"))
hwm = status(app.pid, "VmHWM")
app.kill()
app.wait()
print(f"{startup_ms:.1f} {cpu1 - cpu0} {wake1 - wake0} {hwm}")
