#!/usr/bin/python3
"""End-to-end scenarios: the real program on its own Xvfb screen (with openbox or without a
window manager), its clock set by libfaketime, driven by xdotool like a user, seen in screen
pixels and heard over AT-SPI as a screen reader would. Every process started is ended by its id.

    run.py BINARY SCENARIO            run one scenario (CTest runs each on its own)
    run.py BINARY --screenshots DIR   remake the README's screenshots under openbox
"""
import ctypes, os, re, subprocess, sys, tempfile, time  # noqa: E401

import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

MAIN, DIALOG, ABOUT = '^Tasselday - by Quillerby$', '^Advanced Options$', '^About Tasselday$'
DONE, MSGBOX = "^CONGRATULATIONS CLASS OF '06 !!!$", '^Tasselday$'
CYCLE, FACE = ['#000080', '#C00000', '#008000', '#FF8000'], '#8080FF'
AT_0930 = ('11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!', 'School Year Completed: 71.36702%')
FROZEN_0930 = '2006-03-15 09:30:15'  # no '@': the clock stands still, so every text is known

# Each step is (verb, arguments...); the verbs are the methods of Desktop below. Positions are
# in the window's client area, in pixels at scale 1.
SCENARIOS = {
    # Placement with frames, texts at a known moment, names, the gesture, the dialog's keys.
    'main_openbox': dict(wm=True, clock=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('texts', *AT_0930), ('named', MAIN), ('shot', MAIN, 'main'),
        ('look', 'before'), ('gesture',), ('place', DIALOG, 'centred'), ('look', 'same'),
        ('named', DIALOG), ('shot', DIALOG, 'options'),
        ('hour', '9'), ('press', 'Cancel'), ('gone', DIALOG), ('texts', *AT_0930),
        ('gesture',), ('hour', '9'), ('press', 'OK'), ('gone', DIALOG),
        ('texts', '11 Weeks, 4 Days, 11 Hours, 29 Minutes, 45 Seconds!', AT_0930[1]),
        ('close', MAIN), ('exit',)]),
    # Without a window manager: no frames, the program places its windows itself.
    'main_nowm': dict(wm=False, clock=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('click', MAIN, 204, 128),
        ('place', ABOUT, 'client', 156, 129), ('close', ABOUT), ('gone', ABOUT), ('gesture',),
        ('place', DIALOG, 'centred'), ('click', DIALOG, 156, 208), ('place', DONE, 'full'),
        ('click', DONE, 955, 732), ('exit',)]),
    # A running clock: the quiet countdown, the About box, System Info, the close boxes.
    'about': dict(wm=True, clock='@2006-03-15 09:30:15', steps=[
        ('place', MAIN, 'top-right'), ('quiet', 3), ('place', ABOUT, 'client', 156, 129),
        ('named', ABOUT), ('face', ABOUT, 283, 200, 84, 23), ('shot', ABOUT, 'about'),
        ('click', ABOUT, 325, 243), ('message', 'System Information Is Unavailable At This Time'),
        ('key', 'Return'), ('gone', MSGBOX), ('close', ABOUT), ('gone', ABOUT),
        ('close', MAIN), ('exit',)]),
    # The natural hand-over a few seconds before the ceremony, the colour cycle, the "X".
    'handover': dict(wm=True, clock='@2006-06-04 17:59:57', steps=[
        ('place', DONE, 'full'), ('gone', MAIN), ('cycle',), ('face', DONE, 1008, 1, 16, 17),
        ('named', DONE), ('shot', DONE, 'celebration'), ('click', DONE, 1016, 9), ('exit',)]),
    # Everything doubled: a 2048x1536 screen at QT_SCALE_FACTOR=2.
    'scale2': dict(wm=True, clock=FROZEN_0930, scale=2, steps=[
        ('place', MAIN, 'top-right'), ('click', MAIN, 204, 128),
        ('place', ABOUT, 'client', 156, 129), ('key', 'Escape'), ('gone', ABOUT), ('gesture',),
        ('place', DIALOG, 'centred'), ('press', 'Jump to the Ending'), ('place', DONE, 'full'),
        ('close', DONE), ('exit',)]),
}
# Parts of the main window that keep their look while it is disabled (client x, y, width,
# height at scale 1): heading, percentage, bar, the bar's end labels; and its text box.
STILL_PARTS, TEXT_BOX = [(8, 8, 401, 33), (16, 72, 393, 25), (8, 96, 401, 17),
                         (8, 112, 401, 14)], (11, 51, 394, 18)
REFUSED = ('connect to display', 'open display')  # Xvfb now and then refuses a new client

class Failure(AssertionError):
    """A step that did not hold."""

def pump(seconds):
    """Sleeps while delivering AT-SPI events to the listeners."""
    end, ctx = time.monotonic() + seconds, GLib.MainContext.default()
    while time.monotonic() < end:
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)

def wait_for(what, probe, timeout=30.0, interval=0.1, want=None):
    """Polls probe() until it gives a true value (or want): the machine may be loaded."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = probe()
            if value == want if want is not None else value:
                return value
        except GLib.Error as e:  # an accessible object went away or did not answer in time
            value = e
        if time.monotonic() > end:
            raise Failure('%s: expected %r, got %r' % (what, want, value) if want is not None
                          else 'timed out waiting for ' + what)
        pump(interval)

def kids(obj):
    return filter(None, map(obj.get_child_at_index, range(obj.get_child_count())))

def nodes(obj):
    """Every accessible object below obj, depth first."""
    for child in kids(obj):
        yield child
        yield from nodes(child)

def text_of(obj):
    return Atspi.Text.get_text(obj, 0, -1) if 'Text' in obj.get_interfaces() else None

X11, _C = ctypes.CDLL('libX11.so.6'), dict(p=ctypes.c_void_p, s=ctypes.c_char_p, i=ctypes.c_int,
                                           I=ctypes.c_uint, l=ctypes.c_long, L=ctypes.c_ulong)
for _f, _types in dict(XOpenDisplay='ps', XCloseDisplay='ip', XInternAtom='Lpsi', XSync='ipi',
                       XSendEvent='ipLilp', XDefaultRootWindow='Lp', XDestroyImage='ip',
                       XGetImage='ppLiiIILi', XGetPixel='Lpii').items():
    getattr(X11, _f).restype, getattr(X11, _f).argtypes = _C[_types[0]], [_C[t] for t in _types[1:]]

class Desktop:
    """One scenario's desktop; each verb of the scenarios is a method."""

    def __init__(self, binary, scenario, shots=None):
        self.scale, self.wm, self.shots = scenario.get('scale', 1), scenario['wm'], shots
        self.size, self.procs, self.dpy = (1024 * self.scale, 768 * self.scale), [], None
        try:
            self.display = self.xvfb()
            self.env = dict({k: v for k, v in os.environ.items() if k != 'QT_QPA_PLATFORM'},
                            DISPLAY=self.display)
            self.dpy = wait_for('the display', lambda: X11.XOpenDisplay(self.display.encode()))
            if self.wm:
                self.spawn(['openbox', '--sm-disable'], self.env)
                wait_for('openbox', lambda: 'window id' in self.x('xprop', '-root',
                                                                  '_NET_SUPPORTING_WM_CHECK'))
            app_env = dict(self.env, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
                           QT_SCALE_FACTOR=str(self.scale), LC_ALL='C', TZ='UTC',
                           LD_PRELOAD='/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1',
                           FAKETIME=scenario['clock'], FAKETIME_DONT_FAKE_MONOTONIC='1',
                           NO_FAKE_STAT='1')
            for _ in range(5):
                self.app = self.spawn([binary], app_env)
                wait_for('the program', lambda: self.app.poll() is not None or self.find('^Tass'))
                if self.app.poll() is None or not any(r in self.log() for r in REFUSED):
                    break
                self.procs.remove(self.app)  # refused by Xvfb: start it again
        except BaseException:
            self.end()
            raise

    # -- processes
    def xvfb(self):
        for _ in range(5):
            r, w = os.pipe()
            self.spawn(['Xvfb', '-displayfd', str(w), '-nolisten', 'tcp', '-screen', '0',
                        '%dx%dx24' % self.size], os.environ, pass_fds=(w,))
            os.close(w)
            with os.fdopen(r) as f:
                if number := f.readline().strip():
                    return ':' + number
        raise Failure('Xvfb did not start')

    def spawn(self, argv, env, **how):
        p = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL,
                             stderr=(err := tempfile.TemporaryFile()), **how)
        p.errors = err
        self.procs.append(p)
        return p

    def log(self):
        self.app.errors.seek(0)
        return self.app.errors.read().decode(errors='replace')

    def x(self, *argv, check=True):
        """Output of an X client, started again while Xvfb refuses it."""
        for _ in range(5):
            r = subprocess.run(argv, env=self.env, capture_output=True, text=True)
            if not any(s in r.stderr for s in REFUSED):
                break
            time.sleep(0.2)
        if check and r.returncode:
            raise Failure('%s failed: %s' % (argv[0], r.stderr.strip()))
        return r.stdout

    def end(self):
        if self.dpy:
            X11.XCloseDisplay(self.dpy)
        for p in reversed(self.procs):
            p.terminate()  # nothing is sent to one that has ended
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()

    # -- X windows: ids, rectangles on the screen (x, y, width, height), pixels
    def find(self, title):
        return self.x('xdotool', 'search', '--onlyvisible', '--name', title, check=False).split()

    def window(self, title):
        return int(wait_for('window ' + title, lambda: self.find(title))[0])

    def client(self, title):
        return tuple(map(int, re.findall(r'(?:Absolute upper-left [XY]|Width|Height): +(-?\d+)',
                                         self.x('xwininfo', '-id', str(self.window(title))))))

    def frame(self, title):
        """With the window manager's frame, once the frame is known."""
        l, r, t, b = [0] * 4 if not self.wm else map(int, wait_for(
            'frame extents', lambda: re.findall(r'\d+', self.x(
                'xprop', '-id', str(self.window(title)), '_NET_FRAME_EXTENTS').partition('=')[2])))
        x, y, w, h = self.client(title)
        return x - l, y - t, w + l + r, h + t + b

    def region(self, x, y, w, h, title=None):
        """Colours ('#RRGGBB') of a rectangle of the screen or (at scale 1) of a client area."""
        if title:
            cx, cy, _, _ = self.client(title)
            x, y = cx + x * self.scale, cy + y * self.scale
        img = X11.XGetImage(self.dpy, X11.XDefaultRootWindow(self.dpy), x, y, w, h, 2 ** 64 - 1, 2)
        try:
            return ['#%06X' % (X11.XGetPixel(img, i, j) & 0xFFFFFF)
                    for j in range(h) for i in range(w)]
        finally:
            X11.XDestroyImage(img)

    # -- AT-SPI
    def the(self, title, role=None, pick=lambda o: True):
        """The accessible window with this title, or its topmost-leftmost object of a role."""
        app = wait_for('the program on the accessibility bus', lambda: next(
            (a for a in kids(Atspi.get_desktop(0)) if a.get_process_id() == self.app.pid), None))
        top = wait_for('accessible ' + title, lambda: next(
            (w for w in kids(app) if w.get_name() == title.strip('^$')), None))
        pos = lambda o: o.get_position(Atspi.CoordType.SCREEN)
        objs = role and sorted((o for o in nodes(top) if o.get_role_name() == role and pick(o)),
                               key=lambda o: (pos(o).y, pos(o).x))
        if role and not objs:
            raise Failure('no %s in %s' % (role, title))
        return objs[0] if role else top

    def focus(self, obj, what):
        """Gives obj the keyboard focus and waits until it has it."""
        Atspi.Component.grab_focus(obj)
        wait_for(what + ' to take the focus',
                 lambda: obj.get_state_set().contains(Atspi.StateType.FOCUSED))

    def texts(self, display, school):
        wait_for('the main window', lambda: (text_of(self.the(MAIN, 'text')), self.the(
            MAIN, 'label', lambda o: o.get_name().startswith('School')).get_name()), 5,
            want=(display, school))

    def named(self, title):
        """Every control a user can reach has a name a screen reader reads: whatever takes the
        focus, and the bar. (A drop-down's own pop-up list is read by its items.)"""
        wait_for(title + ': controls without a name', lambda: [
            o.get_role_name() for o in nodes(self.the(title))
            if (o.get_state_set().contains(Atspi.StateType.FOCUSABLE)
                or o.get_role_name() == 'progress bar') and not o.get_name()
            and o.get_parent().get_role_name() != 'combo box'], 1, want=[])

    def quiet(self, seconds):
        """With the focus away from the countdown (in the About box), the countdown is not
        announced: no text, value or name change of the main window's text box or bar."""
        heard, listener = [], Atspi.EventListener.new(lambda e: heard.append(e))
        kinds = ['object:text-changed', 'object:property-change:accessible-value',
                 'object:property-change:accessible-name']
        self.click(MAIN, 204, 128)
        self.focus(self.the(ABOUT, 'push button'), 'the About box')
        list(map(listener.register, kinds))
        pump(seconds)
        list(map(listener.deregister, kinds))
        wait_for('announcements of the countdown without focus', lambda: sorted(
            e.type for e in heard if e.source.get_role_name() in ('text', 'progress bar')), 0,
            want=[])

    def message(self, text):
        wait_for('a message box saying ' + text,
                 lambda: text in [o.get_name() for o in nodes(self.the(MSGBOX))])

    # -- windows and input
    def place(self, title, rule, *at):
        """Where a window is, frame included; a window manager frames and moves a window some
        time after it is shown, so the rule may take a moment to hold."""
        (sw, sh), rect = self.size, self.client if rule == 'client' else self.frame

        def offset():
            x, y, w, h = rect(title)
            if rule == 'client':
                return x - at[0] * self.scale, y - at[1] * self.scale
            if rule == 'centred':  # to within one pixel (at scale 1)
                return tuple(v if abs(v) > 2 * self.scale else 0
                             for v in (2 * x + w - sw, 2 * y + h - sh))
            # flush with the top and right edges, to the device pixel; or the whole screen
            return (sw - x - w, y) if rule == 'top-right' else (x, y, w - sw, h - sh)
        wait_for('%s %s: offset' % (title, rule), offset, 8, 0.2,
                 want=(0,) * (4 if rule == 'full' else 2))

    def gone(self, title):
        wait_for(title + ' to close', lambda: not self.find(title), 10)

    def close(self, title):
        """The window manager's close box: WM_DELETE_WINDOW, then a round trip so that the
        request is not lost."""
        atom, wid = lambda name: X11.XInternAtom(self.dpy, name, 0), self.window(title)
        # A ClientMessage XEvent on x86-64, where each of its fields fills one long: type,
        # serial, send_event, display, window, message_type, format, then the data.
        ev = (ctypes.c_long * 24)(33, 0, 0, 0, wid, atom(b'WM_PROTOCOLS'), 32,
                                  atom(b'WM_DELETE_WINDOW'))
        X11.XSendEvent(self.dpy, wid, 0, 0, ev)
        X11.XSync(self.dpy, 0)

    def exit(self):
        wait_for('exit status', lambda: self.app.poll(), 15, want=0)

    def click(self, title, x, y, repeat=1, *more):
        self.x('xdotool', 'mousemove', '--window', str(self.window(title)), str(x * self.scale),
               str(y * self.scale), 'click', '--repeat', str(repeat), '--delay', '60', '1', *more)

    def key(self, *names):
        self.x('xdotool', 'key', '--delay', '50', *names)

    def gesture(self):
        """Three double-clicks on the hidden square at the bottom right of the main window, sent
        in one go: a pause of two seconds between them would start the gesture over."""
        again = ['sleep', '0.15', 'click', '--repeat', '2', '--delay', '60', '1']
        self.click(MAIN, 400, 134, 2, *again * 2)
        self.window(DIALOG)

    def hour(self, digit):
        """Types a new hour into the dialog's hour box (the first text box of its row)."""
        self.focus(box := self.the(DIALOG, 'text'), 'the hour box')
        self.key('End', 'BackSpace', 'BackSpace', digit)
        wait_for('the typed hour', lambda: text_of(box), 5, want=digit)

    def press(self, button):
        """Enter on a button that has the keyboard focus."""
        self.focus(self.the(DIALOG, 'push button',
                            lambda o: o.get_name().replace('&', '') == button), button)
        self.key('Return')

    # -- the screen
    def look(self, which):
        """The disabled main window keeps its look (at scale 1): the still parts to the pixel,
        the text box (whose frame shows the focus) by its dark text pixels, to which a blinking
        cursor adds only a few."""
        parts = [self.region(*p, title=MAIN) for p in STILL_PARTS]
        dark = sum(max(int(c[i:i + 2], 16) for i in (1, 3, 5)) < 0x60
                   for c in self.region(*TEXT_BOX, title=MAIN))
        if which == 'before':
            self.before = parts, dark
            return
        changed = [STILL_PARTS[i] for i, p in enumerate(parts) if p != self.before[0][i]]
        if changed or abs(dark - self.before[1]) > 0.1 * self.before[1]:
            raise Failure('the disabled main window changed its look: parts %s, %d dark text '
                          'pixels (before %d)' % (changed, dark, self.before[1]))

    def face(self, title, x, y, w, h):
        """A graphical button's face is flat, in exactly its colour."""
        pixels = self.region(x, y, w, h, title)
        if pixels.count(FACE) < len(pixels) / 2:
            raise Failure('%s: %d of %d pixels are %s' % (title, pixels.count(FACE), w * h, FACE))

    def cycle(self):
        """The celebration's background steps navy, dark red, green, orange, every 400 ms."""
        seen, start = [], time.monotonic()
        while time.monotonic() - start < 3.5:
            colour = self.region(4, 750, 1, 1)[0]
            if not seen or seen[-1][0] != colour:
                seen.append((colour, time.monotonic()))
            time.sleep(0.02)
        colours = [c for c, _ in seen]
        spans = sorted(b - a for (_, a), (_, b) in zip(seen[1:], seen[2:]))
        if set(colours) != set(CYCLE) or not 0.3 < spans[len(spans) // 2] < 0.55 or any(
                b != CYCLE[(CYCLE.index(a) + 1) % 4] for a, b in zip(colours, colours[1:])):
            raise Failure('background colours seen: %s' % [(c, round(t - start, 2)) for c, t in seen])

    def shot(self, title, name):
        if self.shots:
            x, y, w, h = self.frame(title)  # placed on the screen, frame and all
            self.x('import', '-display', self.display, '-window', 'root', '-crop',
                   '%dx%d+%d+%d' % (w, h, x, y), '+repage', os.path.join(self.shots, name + '.png'))

if __name__ == '__main__':
    if 'TASSELDAY_E2E_BUS' not in os.environ:
        # A session bus of its own, with the accessibility bus on it, ended with the scenario.
        os.environ['TASSELDAY_E2E_BUS'] = '1'
        os.execvp('dbus-run-session', ['dbus-run-session', '--', sys.executable] + sys.argv)
    shots = sys.argv[3] if sys.argv[2] == '--screenshots' else None
    for name in ('main_openbox', 'about', 'handover') if shots else [sys.argv[2]]:
        started, d = time.monotonic(), Desktop(os.path.abspath(sys.argv[1]), SCENARIOS[name], shots)
        try:
            for verb, *args in SCENARIOS[name]['steps']:
                getattr(d, verb)(*args)
        except Failure as e:
            sys.exit('program output:\n%s\nFAILED: %s' % (d.log()[-2000:], e))
        finally:
            d.end()
        print('%s: passed in %.1f s' % (name, time.monotonic() - started))
