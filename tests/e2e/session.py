"""One desktop session for an end-to-end scenario: Xvfb, optionally openbox, the program with
its clock set by libfaketime, and what a user sees (screen pixels, X windows) or a screen
reader hears (AT-SPI). Every process started here is ended here, by its id."""
import ctypes
import os
import re
import subprocess
import tempfile
import time

import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

FAKETIME_LIB = '/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1'
MAIN, DIALOG, ABOUT = '^Tasselday - by Quillerby$', '^Advanced Options$', '^About Tasselday$'
DONE, MSGBOX = "^CONGRATULATIONS CLASS OF '06 !!!$", '^Tasselday$'


class Failure(AssertionError):
    pass


def wait_for(what, probe, timeout=20.0, interval=0.1):
    """Polls probe() until it gives a true value; the machine may be loaded, so no fixed sleeps."""
    end = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure('timed out waiting for ' + what)
        pump(interval)


def pump(seconds):
    """Sleeps while delivering AT-SPI events to the listeners."""
    end = time.monotonic() + seconds
    ctx = GLib.MainContext.default()
    while time.monotonic() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)


class _ClientMessage(ctypes.Structure):
    _fields_ = [('type', ctypes.c_int), ('serial', ctypes.c_ulong), ('send_event', ctypes.c_int),
                ('display', ctypes.c_void_p), ('window', ctypes.c_ulong),
                ('message_type', ctypes.c_ulong), ('format', ctypes.c_int),
                ('data', ctypes.c_long * 5), ('pad', ctypes.c_long * 12)]  # an XEvent's size


def _libx11():
    x = ctypes.CDLL('libX11.so.6')
    vp, ul = ctypes.c_void_p, ctypes.c_ulong
    x.XOpenDisplay.restype = x.XGetImage.restype = vp
    x.XInternAtom.restype = x.XDefaultRootWindow.restype = x.XGetPixel.restype = ul
    x.XInternAtom.argtypes = [vp, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [vp, ul, ctypes.c_int, ctypes.c_long, vp]
    x.XGetImage.argtypes = [vp, ul] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [ul, ctypes.c_int]
    x.XGetPixel.argtypes = [vp, ctypes.c_int, ctypes.c_int]
    x.XSync.argtypes = [vp, ctypes.c_int]
    x.XCloseDisplay.argtypes = x.XDefaultRootWindow.argtypes = x.XDestroyImage.argtypes = [vp]
    return x


class Session:
    def __init__(self, binary, width=1024, height=768, wm=False, faketime=None, env=None):
        self.size, self.procs, self._dpy = (width, height), [], None
        try:
            self._start(binary, width, height, wm, faketime, env)
        except BaseException:
            self.close()
            raise

    def _start(self, binary, width, height, wm, faketime, env):
        self.display = self._start_xvfb(width, height)
        self._x = _libx11()
        self._dpy = wait_for('a connection to the display',
                             lambda: self._x.XOpenDisplay(self.display.encode()))
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop('QT_QPA_PLATFORM', None)
        if wm:
            self._spawn(['openbox', '--sm-disable'], self.env)
            wait_for('openbox', lambda: 'window id' in self._run(
                'xprop', '-root', '_NET_SUPPORTING_WM_CHECK'))
        app_env = dict(self.env, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
                       LC_ALL='C', TZ='UTC', **(env or {}))
        if faketime:
            app_env.update(LD_PRELOAD=FAKETIME_LIB, FAKETIME=faketime, NO_FAKE_STAT='1',
                           FAKETIME_DONT_FAKE_MONOTONIC='1')
        self.wm = wm
        for _ in range(5):
            self.app = self._spawn([binary], app_env)
            wait_for('the program to start', lambda: self.app.poll() is not None or self.find(MAIN))
            if self.app.poll() is None or 'connect to display' not in self.log(self.app):
                return
            self.procs.remove(self.app)  # Xvfb refused it: start it again

    def log(self, proc):
        proc.errors.seek(0)
        return proc.errors.read().decode(errors='replace')

    # -- processes
    def _spawn(self, argv, env):
        err = tempfile.TemporaryFile()
        p = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=err)
        p.errors = err
        self.procs.append(p)
        return p

    def _start_xvfb(self, width, height):
        for _ in range(5):
            r, w = os.pipe()
            p = subprocess.Popen(['Xvfb', '-displayfd', str(w), '-nolisten', 'tcp', '-screen', '0',
                                  '%dx%dx24' % (width, height)], pass_fds=(w,),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(w)
            with os.fdopen(r) as f:
                number = f.readline().strip()
            if number:
                self.procs.append(p)
                return ':' + number
            p.kill()
            p.wait()
        raise Failure('Xvfb did not start')

    def _run(self, *argv, check=False):
        # A new client is now and then refused by Xvfb: try again.
        for _ in range(5):
            r = subprocess.run(argv, env=self.env, capture_output=True, text=True)
            if 'connect to display' not in r.stderr and 'open display' not in r.stderr:
                break
            time.sleep(0.2)
        if check and r.returncode:
            raise Failure('%s failed: %s' % (argv[0], r.stderr.strip()))
        return r.stdout

    def close(self):
        if self._dpy:
            self._x.XCloseDisplay(self._dpy)
            self._dpy = None
        for p in reversed(self.procs):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()

    def exit_status(self, timeout=15):
        try:
            return self.app.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure('the program did not end')

    # -- X windows
    def window(self, title, timeout=20):
        """Client window id of the one visible window with this title."""
        return int(wait_for('window ' + title, lambda: self.find(title), timeout)[0])

    def find(self, title):
        return self._run('xdotool', 'search', '--onlyvisible', '--name', title).split()

    def gone(self, title, timeout=10):
        wait_for(title + ' to close', lambda: not self.find(title), timeout)

    def client(self, wid):
        """Client area as (x, y, width, height) on the screen."""
        out = self._run('xwininfo', '-id', str(wid), check=True)
        v = dict(re.findall(r'(Absolute upper-left [XY]|Width|Height):\s+(-?\d+)', out))
        return tuple(int(v[k]) for k in ('Absolute upper-left X', 'Absolute upper-left Y',
                                         'Width', 'Height'))

    def frame(self, wid):
        """Outer rectangle with the window manager's frame, once the frame is known."""
        def extents():
            if not self.wm:
                return [0, 0, 0, 0]
            m = re.search(r'= (\d+), (\d+), (\d+), (\d+)',
                          self._run('xprop', '-id', str(wid), '_NET_FRAME_EXTENTS'))
            return m and [int(n) for n in m.groups()]
        l, r, t, b = wait_for('frame extents', extents)
        x, y, w, h = self.client(wid)
        return x - l, y - t, w + l + r, h + t + b

    def close_request(self, wid):
        """The window manager's close box: WM_DELETE_WINDOW, then a round trip so that the
        request is not lost when this connection closes."""
        x, dpy = self._x, self._dpy
        ev = _ClientMessage(type=33, window=wid, format=32,
                            message_type=x.XInternAtom(dpy, b'WM_PROTOCOLS', 0))
        ev.data[0] = x.XInternAtom(dpy, b'WM_DELETE_WINDOW', 0)
        x.XSendEvent(dpy, wid, 0, 0, ctypes.byref(ev))
        x.XSync(dpy, 0)

    # -- input
    def click(self, wid, x, y, repeat=1):
        self._run('xdotool', 'mousemove', '--window', str(wid), str(x), str(y), 'click',
                  '--repeat', str(repeat), '--delay', '60', '1', check=True)

    def keys(self, *keys):
        self._run('xdotool', 'key', '--delay', '50', *keys, check=True)

    # -- screen
    def region(self, rect):
        """Colours ('#RRGGBB') of every pixel of a screen rectangle, row by row."""
        x, y, w, h = rect
        img = self._x.XGetImage(self._dpy, self._x.XDefaultRootWindow(self._dpy), x, y, w, h,
                                ctypes.c_ulong(-1), 2)  # ZPixmap
        try:
            return tuple('#%06X' % (self._x.XGetPixel(img, i, j) & 0xFFFFFF)
                         for j in range(h) for i in range(w))
        finally:
            self._x.XDestroyImage(img)

    def save(self, path, rect=None):
        crop = ['-crop', '%dx%d+%d+%d' % (rect[2], rect[3], rect[0], rect[1])] if rect else []
        subprocess.run(['import', '-display', self.display, '-window', 'root', *crop,
                        '+repage', path], check=True)

    # -- AT-SPI
    def accessible(self, timeout=20):
        """The program's application object on the accessibility bus."""
        def find():
            desk = Atspi.get_desktop(0)
            for i in range(desk.get_child_count()):
                a = desk.get_child_at_index(i)
                if a and a.get_process_id() == self.app.pid:
                    return a
        return wait_for('the program on the accessibility bus', find, timeout)


def nodes(obj):
    """Every accessible object below obj, depth first."""
    for i in range(obj.get_child_count()):
        child = obj.get_child_at_index(i)
        if child is not None:
            yield child
            yield from nodes(child)


def text_of(obj):
    return Atspi.Text.get_text(obj, 0, -1) if obj.get_text_iface() else None
