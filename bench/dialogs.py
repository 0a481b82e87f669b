#!/usr/bin/python3
"""Resident memory of the real program while its dialogs open and close: each cycle opens the
options dialog once (the hidden gesture) and the About box twice; the options dialog is closed by
Escape, Alt+C, Alt+O and its close box in turn, the About box by Enter, Escape and its close box.
Runs on the end-to-end suite's desktop (its own Xvfb, openbox, the clock running under
libfaketime, accessibility on). Prints the resident memory (VmRSS, kB) every STEP cycles, and
the growth per cycle over the second half of the run.
    dialogs.py BINARY [CYCLES] [STEP]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'e2e'))
import run  # noqa: E402

OPTIONS_CLOSE = [('key', 'Escape'), ('key', 'alt+c'), ('key', 'alt+o'), ('close', run.DIALOG)]
ABOUT_CLOSE = [('key', 'Return'), ('key', 'Escape'), ('close', run.ABOUT)]


def rss(pid):
    with open('/proc/%d/status' % pid) as f:
        return next(int(line.split()[1]) for line in f if line.startswith('VmRSS:'))


def open_by(d, title, *click):
    """Clicks until the window shows: now and then a click right after a dialog closed is lost."""
    for _ in range(5):
        d.click(*click)
        try:
            return run.wait_for(title, lambda: d.find(title), 3)
        except AssertionError:
            pass
    raise AssertionError(title + ' did not open')


def main(binary, cycles=150, step=25):
    d = run.Desktop(dict(wm=True, clock='@2006-03-15 09:30:15'), None)
    seen, abouts = [], 0
    try:
        d.start(os.path.abspath(binary))
        d.place(run.MAIN, 'top-right')
        for cycle in range(cycles + 1):
            if cycle % step == 0:
                seen.append((cycle, rss(d.app.pid)))
                print('%4d cycles: %6d kB' % seen[-1], flush=True)
            if cycle == cycles:
                break
            open_by(d, run.DIALOG, *run.GESTURE[1:])
            verb, *args = OPTIONS_CLOSE[cycle % len(OPTIONS_CLOSE)]
            getattr(d, verb)(*args)
            d.gone(run.DIALOG)
            for _ in range(2):
                open_by(d, run.ABOUT, run.MAIN, 204, 128)
                verb, *args = ABOUT_CLOSE[abouts % len(ABOUT_CLOSE)]
                getattr(d, verb)(*args)
                d.gone(run.ABOUT)
                abouts += 1
    finally:
        d.end()
    (c0, m0), (c1, m1) = seen[len(seen) // 2], seen[-1]
    print('growth over cycles %d-%d: %.1f kB a cycle' % (c0, c1, (m1 - m0) / max(1, c1 - c0)))


if __name__ == '__main__':
    if 'TASSELDAY_E2E_BUS' not in os.environ:  # a session bus with the accessibility bus
        os.environ['TASSELDAY_E2E_BUS'] = os.environ['XDG_RUNTIME_DIR'] = run.tempfile.mkdtemp()
        os.execvp('dbus-run-session', ['dbus-run-session', '--', sys.executable] + sys.argv)
    main(sys.argv[1], *map(int, sys.argv[2:4]))
