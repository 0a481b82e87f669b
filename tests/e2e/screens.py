"""The verbs that look (pixels, AT-SPI) and the other screens'. No input reaches weston's windows
(xdotool's crashes Xwayland): the program goes by its clock and AT-SPI, seen in weston's shots."""
import ctypes, datetime, glob, os, re, subprocess, tempfile, time  # noqa: E401
import gi
from scenarios import MAIN
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

CYCLE, FACE, NAVY = ['#000080', '#C00000', '#008000', '#FF8000'], '#8080FF', '#000080'
SOCKET, DESKTOP = 'tasselday-e2e', '#336699'  # weston's; its background plain, known where seen
# Parts of the main window that keep their look while it is disabled (client x, y, width,
# height at scale 1): heading, percentage, bar, the bar's end labels; and its text box.
STILL_PARTS, TEXT_BOX = [(8, 8, 401, 33), (16, 72, 393, 25), (8, 96, 401, 17),
                         (8, 112, 401, 14)], (11, 51, 394, 18)
CEREMONY, UNITS = datetime.datetime(2006, 6, 4, 18), dict(Weeks=604800, Days=86400, Hours=3600,
                                                          Minutes=60, Seconds=1)

X11, _C = ctypes.CDLL('libX11.so.6'), dict(p=ctypes.c_void_p, s=ctypes.c_char_p, i=ctypes.c_int,
                                           I=ctypes.c_uint, l=ctypes.c_long, L=ctypes.c_ulong)
for _f, _types in dict(XOpenDisplay='ps', XCloseDisplay='ip', XInternAtom='Lpsi', XSync='ipi',
                       XSendEvent='ipLilp', XDefaultRootWindow='Lp', XDestroyImage='ip',
                       XGetImage='ppLiiIILi', XGetPixel='Lpii').items():
    getattr(X11, _f).restype, getattr(X11, _f).argtypes = _C[_types[0]], [_C[t] for t in _types[1:]]

def wait_for(what, probe, timeout=30.0, want=True):
    """Polls probe() until it gives want (True: any true value), as the machine may be loaded."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = probe()
            if value if want is True else value == want:
                return value
        except GLib.Error as e:  # an accessible object went away or did not answer in time
            value = e
        if time.monotonic() > end:
            raise AssertionError('%s: expected %r, got %r' % (what, want, value))
        time.sleep(0.1)

def pump(seconds):
    """Sleeps while delivering AT-SPI events to the listeners."""
    end, ctx = time.monotonic() + seconds, GLib.MainContext.default()
    while time.monotonic() < end:
        ctx.iteration(False) or time.sleep(0.02)  # sleeps once none is pending

def kids(obj):
    return filter(None, map(obj.get_child_at_index, range(obj.get_child_count())))

def nodes(obj):
    for child in kids(obj):  # depth first
        yield child
        yield from nodes(child)

def dead_display():
    """An X display that no server answers: a number with no socket."""
    return ':%d' % next(n for n in range(4000, 5000)
                        if not os.path.exists('/tmp/.X11-unix/X%d' % n))

def convert(png, *how):
    return subprocess.run(['convert', 'png:-', *how], input=png, capture_output=True).stdout

class Pixels:
    """An 8-bit PPM image's pixels, as '#RRGGBB'."""
    def __init__(self, ppm):
        header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', ppm)  # one blank before the pixels
        self.size, self.data = (int(header[1]), int(header[2])), ppm[header.end():]
    def __getitem__(self, at):
        i = 3 * (at[1] * self.size[0] + at[0])
        return '#%02X%02X%02X' % tuple(self.data[i:i + 3])
    def region(self, x, y, w, h):
        return [self[i, j] for j in range(y, y + h) for i in range(x, x + w)]

class Shot(Pixels):
    def __init__(self, env):
        with tempfile.TemporaryDirectory() as where:  # weston's --debug lets a client take them
            subprocess.run(['weston-screenshooter'], env=env, cwd=where, timeout=10, check=True)
            self.png = open(glob.glob(os.path.join(where, '*.png'))[0], 'rb').read()
        super().__init__(convert(self.png, '-depth', '8', 'ppm:-'))

class ScreenVerbs:  # mixed into run.py's Desktop
    def region(self, x, y, w, h, title=None):
        """Colours of a rectangle of the screen or (at scale 1) of a client area."""
        if title:
            cx, cy, _, _ = self.rect(title, False)
            x, y = cx + x * self.scale, cy + y * self.scale
        img = X11.XGetImage(self.dpy, X11.XDefaultRootWindow(self.dpy), x, y, w, h, 2**64 - 1, 2)
        pixels = ['#%06X' % (X11.XGetPixel(img, i, j) & 0xFFFFFF)
                  for j in range(h) for i in range(w)]
        X11.XDestroyImage(img)
        return pixels
    def disabled(self, title):
        wait_for(title + ': controls enabled over AT-SPI', lambda: [
            o.get_role_name() for o in nodes(self.the(title))
            if o.get_state_set().contains(Atspi.StateType.ENABLED)], 5, [])
    def look(self, which):
        """The disabled main window keeps its look: the still parts to the pixel, the text box
        (whose frame shows the focus) by its dark text pixels, to which a caret adds a few."""
        parts = [self.region(*p, title=MAIN) for p in STILL_PARTS]
        dark = sum(max(int(c[i:i + 2], 16) for i in (1, 3, 5)) < 0x60
                   for c in self.region(*TEXT_BOX, title=MAIN))
        self.before = (parts, dark) if which == 'before' else self.before
        changed = [STILL_PARTS[i] for i, p in enumerate(parts) if p != self.before[0][i]]
        assert not changed and abs(dark - self.before[1]) <= 0.1 * self.before[1], \
            'the disabled main window changed its look: parts %s, %d dark text pixels ' \
            '(before %d)' % (changed, dark, self.before[1])
    def face(self, title, x, y, w, h):  # a graphical button's flat face
        pixels = self.region(x, y, w, h, title)
        assert pixels.count(FACE) >= len(pixels) / 2, '%s: %d of %d pixels are %s' % (
            title, pixels.count(FACE), w * h, FACE)
    def cycle(self):
        """The celebration's background steps through its colours, every 400 ms."""
        seen, start = [], time.monotonic()
        while time.monotonic() - start < 3.5:
            colour = self.region(4, 750, 1, 1)[0]
            if not seen or seen[-1][0] != colour:
                seen.append((colour, time.monotonic()))
            time.sleep(0.02)
        colours = [c for c, _ in seen]
        spans = sorted(b - a for (_, a), (_, b) in zip(seen[1:], seen[2:]))
        assert set(colours) == set(CYCLE) and 0.3 < spans[len(spans) // 2] < 0.55 and all(
            b == CYCLE[(CYCLE.index(a) + 1) % 4] for a, b in zip(colours, colours[1:])), \
            'background colours seen: %s' % [(c, round(t - start, 2)) for c, t in seen]
    def bar(self, title):
        """The bar's value, over AT-SPI, is the percentage its label writes."""
        def apart():
            bar = self.the(title, 'progress bar')
            label = next(n[23:-1] for o in nodes(self.the(title))
                         if (n := o.get_name()).startswith('School Year Completed: '))
            low, high = Atspi.Value.get_minimum_value(bar), Atspi.Value.get_maximum_value(bar)
            percent = (Atspi.Value.get_current_value(bar) - low) / (high - low) * 100
            return abs(percent - float(label)) > 1e-9 and (label, percent)
        wait_for(title + ": the bar's value", apart, 5, want=False)
    def seconds(self, *moments):
        """The clock set to each moment in turn: from there every second is shown, none skipped."""
        box = self.the(MAIN, 'text')
        for moment in moments:
            self.set_clock('@' + moment)
            seen, end = [], time.monotonic() + 2.5
            while time.monotonic() < end:
                left = sum(int(n) * UNITS[unit] for n, unit in re.findall(
                    r'(\d+) (\w+)', Atspi.Text.get_text(box, 0, -1)))
                seen[-1:] != [left] and seen.append(left)
                time.sleep(0.03)
            due = (CEREMONY - datetime.datetime.fromisoformat(moment)).total_seconds()
            after = [s for s in seen if abs(s - due) < 60]  # from the first after the step
            assert due in after and all(a - b == 1 for a, b in zip(after, after[1:])), \
                'clock set to %s: seconds left shown %s' % (moment, seen)
    def quiet(self, seconds):
        """With the focus elsewhere, no change of the countdown's text box or bar is announced."""
        heard, listener = [], Atspi.EventListener.new(lambda e: heard.append(e))
        kinds = ['object:text-changed', 'object:property-change:accessible-value',
                 'object:property-change:accessible-name']
        list(map(listener.register, kinds))
        pump(seconds)
        list(map(listener.deregister, kinds))
        assert not [e.type for e in heard if e.source.get_role_name() in ('text', 'progress bar')
                    ], 'the countdown was announced without the focus'
    def shot(self, title, name):
        if self.shots:
            x, y, w, h = self.rect(title, True)  # placed on the screen, frame and all
            self.x('import', '-display', self.env['DISPLAY'], '-window', 'root', '-crop',
                   '%dx%d+%d+%d' % (w, h, x, y), '+repage', os.path.join(self.shots, name + '.png'))
    def start_weston(self):
        self.env = {k: v for k, v in os.environ.items() if k != 'DISPLAY'}
        log, ini = tempfile.NamedTemporaryFile(), os.path.join(self.env['XDG_RUNTIME_DIR'], 'ini')
        open(ini, 'w').write('[shell]\nbackground-image=\nbackground-color=0xff%s\n' % DESKTOP[1:])
        # The pixman renderer can read pixels back; an idle one stops painting.
        self.spawn(['weston', '--backend=headless-backend.so', '--use-pixman', '--debug',
                    '--config=' + ini, '--idle-time=0', '--width=%d' % self.size[0],
                    '--height=%d' % self.size[1], '--socket=' + SOCKET]
                   + ['--xwayland'] * (self.desktop == 'xwayland'), self.env, errors=log)
        self.env['WAYLAND_DISPLAY'] = SOCKET  # in the scenario's own XDG_RUNTIME_DIR
        socket = os.path.join(self.env['XDG_RUNTIME_DIR'], SOCKET)
        wait_for('weston', lambda: os.path.exists(socket))
        if self.desktop == 'xwayland':  # the program finds X11 there and runs on it
            self.env['DISPLAY'] = wait_for('Xwayland', lambda: re.findall(
                r'listening on display (:\d+)', open(log.name, errors='replace').read()))[0]
    def monitor(self, w, h):
        """RandR gives the screen another size: a monitor of that size takes its output's place."""
        self.x('xrandr', '--setmonitor', 'e2e-%dx%d' % (w, h), '%d/0x%d/0+0+0' % (w, h), 'screen')
        self.size = (w, h)
    def refused(self, display):
        env = {k: v for k, v in os.environ.items() if 'DISPLAY' not in k and 'QPA' not in k}
        if display is not None:  # '?': a display number with no server
            env['DISPLAY'] = display if display != '?' else dead_display()
        with tempfile.TemporaryDirectory() as cwd:
            r = subprocess.run(['sh', '-c', 'ulimit -c unlimited && exec "$0"', self.target],
                               env=env, cwd=cwd, capture_output=True, text=True)
            assert r.returncode == 1 and 'no display could be opened' in r.stderr and \
                not os.listdir(cwd), 'DISPLAY=%r: status %d, %s' % (display, r.returncode, r.stderr)
    def seen(self, where):
        """The main window's client area (navy, 416 wide) in a screenshot: anywhere, or inside:
        top right, with the desktop still showing beside it at the right edge."""
        def look(s):
            w, h, x, y = map(int, re.findall(rb'\d+', convert(  # the navy pixels' bounds
                s.png, '-fill', 'black', '+opaque', NAVY, '-format', '%@', 'info:')))
            beside = {s[s.size[0] - 1, j] for j in range(max(y, 32), y + h)}  # below the panel
            return w == 416 and 130 <= h < 200 and (where == 'anywhere' or (
                x > s.size[0] // 2 and y < 80 and beside == {DESKTOP}))
        wait_for('the main window ' + where, lambda: look(Shot(self.env)), 10)
    def covered(self):
        """The celebration covers the output, panel included; its "X" and small text show."""
        def look(s):
            (w, h), face = s.size, s.region(s.size[0] - 16, 1, 16, 17)
            ground = {s[i, j] for i in (0, 5, w // 2, w - 1) for j in (0, 20, h // 2, h - 1)}
            text = [c for c in s.region(w - 137, h - 44, 137, 17) if c not in ground]
            return len(ground) == 1 and ground <= set(CYCLE) and \
                face.count(FACE) > len(face) / 2 and len(text) > 50
        wait_for('the celebration to cover the screen', lambda: look(Shot(self.env)))
    def alive(self, seconds):
        time.sleep(seconds)
        assert self.app.poll() is None, 'the program ended (status %s)' % self.app.poll()
    def press(self, *which):
        Atspi.Action.do_action(self.the(*which), 0)
    def says(self, title, prop, *wants):
        """The window's X11 property, or under Wayland the program's requests, say wants."""
        said = self.log() if self.desktop == 'wayland' else self.x('xprop', '-id', str(
            self.window(title)), prop)
        assert all(w in said for w in wants), said
