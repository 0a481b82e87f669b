"""What the end-to-end scenarios share (waiting, AT-SPI's tree), and the screens besides Xvfb:
a size given by RandR, no display at all, and a headless weston with Xwayland or without. No
input reaches weston's windows (xdotool's fake input makes Xwayland crash): there the program
goes by its clock and AT-SPI, and the screen is read from weston's own screenshots."""
import glob, os, re, resource, subprocess, tempfile, time  # noqa: E401
import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi, GLib  # noqa: E402

SOCKET, APP_ID = 'tasselday-e2e', 'io.github.tasselday.Tasselday'
CYCLE, FACE, NAVY = ['#000080', '#C00000', '#008000', '#FF8000'], '#8080FF', '#000080'
DESKTOP = '#336699'  # weston's background, plain so that it is known where it shows


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
        while ctx.pending():
            ctx.iteration(False)
        time.sleep(0.02)

def kids(obj):
    return filter(None, map(obj.get_child_at_index, range(obj.get_child_count())))

def nodes(obj):
    for child in kids(obj):  # depth first
        yield child
        yield from nodes(child)

def convert(png, *how):
    return subprocess.run(['convert', 'png:-', *how], input=png, capture_output=True).stdout


class Shot:
    """A screenshot of weston's output, its pixels as '#RRGGBB'."""
    def __init__(self, env):
        with tempfile.TemporaryDirectory() as where:  # --debug lets a client take them
            subprocess.run(['weston-screenshooter'], env=env, cwd=where, timeout=10, check=True)
            self.png = open(glob.glob(os.path.join(where, '*.png'))[0], 'rb').read()
        ppm = convert(self.png, '-depth', '8', 'ppm:-')
        header = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', ppm)  # one blank before the pixels
        self.size, self.data = (int(header[1]), int(header[2])), ppm[header.end():]
    def __getitem__(self, at):
        i = 3 * (at[1] * self.size[0] + at[0])
        return '#%02X%02X%02X' % tuple(self.data[i:i + 3])
    def region(self, x, y, w, h):
        return [self[i, j] for j in range(y, y + h) for i in range(x, x + w)]
    def box(self, colour):
        """x, y, width, height of the smallest rectangle that holds every pixel of that colour."""
        w, h, x, y = map(int, re.findall(rb'\d+', convert(
            self.png, '-fill', 'black', '+opaque', colour, '-format', '%@', 'info:')))
        return x, y, w, h


class ScreenVerbs:
    """The verbs for these screens, mixed into the scenarios' Desktop."""
    def start_weston(self):
        self.env = {k: v for k, v in os.environ.items() if k != 'DISPLAY'}
        log, self.ini = tempfile.NamedTemporaryFile(), tempfile.NamedTemporaryFile('w')
        self.ini.write('[shell]\nbackground-image=\nbackground-color=0xff%s\n' % DESKTOP[1:])
        self.ini.flush()  # the pixman renderer can read pixels back; an idle one stops painting
        self.spawn(['weston', '--backend=headless-backend.so', '--use-pixman', '--debug',
                    '--config=' + self.ini.name, '--idle-time=0', '--width=%d' % self.size[0],
                    '--height=%d' % self.size[1], '--socket=' + SOCKET]
                   + ['--xwayland'] * (self.kind == 'xwayland'), self.env, errors=log)
        self.env['WAYLAND_DISPLAY'] = SOCKET  # in the scenario's own XDG_RUNTIME_DIR
        socket = os.path.join(self.env['XDG_RUNTIME_DIR'], SOCKET)
        wait_for('weston', lambda: os.path.exists(socket))
        if self.kind == 'xwayland':  # the program finds X11 there and runs on it
            self.env['DISPLAY'] = wait_for('Xwayland', lambda: re.findall(
                r'listening on display (:\d+)', open(log.name, errors='replace').read()))[0]
    def monitor(self, w, h):
        """RandR gives the screen another size: a monitor of that size takes its output's place."""
        self.x('xrandr', '--setmonitor', 'e2e-%dx%d' % (w, h), '%d/0x%d/0+0+0' % (w, h), 'screen')
        self.size = (w, h)
    def refused(self, display):
        """With no display that answers the program says so and ends with status 1, no core."""
        env = {k: v for k, v in os.environ.items() if 'DISPLAY' not in k and 'QPA' not in k}
        if display is not None:  # '?': a display number with no server
            env['DISPLAY'] = display if display != '?' else ':%d' % next(
                n for n in range(4000, 5000) if not os.path.exists('/tmp/.X11-unix/X%d' % n))
        with tempfile.TemporaryDirectory() as cwd:
            r = subprocess.run([self.binary], env=env, cwd=cwd, capture_output=True, text=True,
                               preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE,
                                                                     (-1, -1)))
            assert r.returncode == 1 and 'no display could be opened' in r.stderr and \
                not os.listdir(cwd), 'DISPLAY=%r: status %d, %s' % (display, r.returncode, r.stderr)
    def seen(self, where):
        """The main window's client area (navy, 416 wide) in a screenshot: anywhere, or inside:
        top right, with the desktop still showing beside it at the right edge."""
        def look():
            s = Shot(self.env)
            x, y, w, h = s.box(NAVY)
            beside = {s[s.size[0] - 1, j] for j in range(max(y, 32), y + h)}  # below the panel
            return w == 416 and 130 <= h < 200 and (where == 'anywhere' or (
                x > s.size[0] // 2 and y < 80 and beside == {DESKTOP}))
        wait_for('the main window ' + where, look, 10)
    def covered(self):
        """The celebration covers the whole output, panel included, in one colour of its cycle,
        with its "X" at the top right corner and its small text at the bottom right."""
        def look():
            s = Shot(self.env)
            (w, h), face = s.size, s.region(s.size[0] - 16, 1, 16, 17)
            ground = {s[i, j] for i in (0, 5, w // 2, w - 1) for j in (0, 20, h // 2, h - 1)}
            text = [c for c in s.region(w - 137, h - 44, 137, 17) if c not in ground]
            return len(ground) == 1 and ground <= set(CYCLE) and \
                face.count(FACE) > len(face) / 2 and len(text) > 50
        wait_for('the celebration to cover the screen', look)  # a loaded machine
    def alive(self, seconds):
        time.sleep(seconds)
        assert self.app.poll() is None, 'the program ended (status %s)' % self.app.poll()
    def press(self, *which):
        Atspi.Action.do_action(self.the(*which), 0)
    def off_taskbar(self, title):
        """An X11 window asks to be left off the taskbar and the pager."""
        said = self.x('xprop', '-id', str(self.window(title)), '_NET_WM_STATE')
        assert '_NET_WM_STATE_SKIP_TASKBAR' in said and '_NET_WM_STATE_SKIP_PAGER' in said, said
    def app_id(self, title):
        """The Wayland app id (the program's requests) or X11 class is the desktop entry's id."""
        said = self.log() if self.kind == 'wayland' else self.x('xprop', '-id', str(
            self.window(title)), 'WM_CLASS')
        assert re.search(r'set_app_id\("%s"\)|"%s"' % (APP_ID, APP_ID), said), said
