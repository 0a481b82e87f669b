#!/usr/bin/python3
"""Plays a scenario (scenarios.py): run.py BINARY SCENARIO, or run.py BINARY --screenshots DIR."""
import atexit, ctypes, os, re, shutil, subprocess, sys, tempfile, time  # noqa: E401
from scenarios import MAIN, SCENARIOS
from screens import X11, Atspi, ScreenVerbs, dead_display, kids, nodes, pump, wait_for

REFUSED = ('connect to display', 'open display')  # Xvfb now and then refuses a new client
FAKED = dict(FAKETIME_DONT_FAKE_MONOTONIC='1', NO_FAKE_STAT='1',  # its clock, the program's alone
             LD_PRELOAD='/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1')

class Desktop(ScreenVerbs):  # one scenario's screen and processes (each ended by its id)
    SCENARIOS, SHOTS = SCENARIOS, ('main_openbox', 'about', 'handover')
    def __init__(self, name, shots):
        vars(self).update(dict(wm=False, clock=None, scale=1, desktop='xvfb', stepped=False,
                               tool=None, name=name, shots=shots, procs=[], dpy=None, app=None,
                               target=os.path.abspath(sys.argv[1])), **self.SCENARIOS[name])
        self.size = vars(self).get('size', (1024 * self.scale, 768 * self.scale))
        # A stepped clock reads its moment from a file, again at every reading.
        self.stamp = self.stepped and tempfile.NamedTemporaryFile('w')
    @classmethod
    def play(cls):
        shots = sys.argv[3] if sys.argv[2] == '--screenshots' else None
        for name in cls.SHOTS if shots else [sys.argv[2]]:
            started, d = time.monotonic(), cls(name, shots)
            try:
                d.start()
                for verb, *args in d.steps:
                    getattr(d, verb)(*args)
            except AssertionError as e:
                getattr(d, 'failed', lambda: None)()  # the Wine driver keeps a screenshot
                sys.exit('%s: program output:\n%s\nFAILED: %s' % (
                    name, d.app and d.log()[-2000:], e))
            finally:
                d.end()
            print('%s: passed in %.1f s' % (name, time.monotonic() - started))
    def start(self):
        if self.desktop in ('xwayland', 'wayland'):
            self.start_weston()
        elif self.desktop:
            self.env = dict(os.environ, DISPLAY=wait_for('Xvfb to start', self.xvfb))
        if 'DISPLAY' in getattr(self, 'env', {}):
            self.dpy = wait_for('the display',
                                lambda: X11.XOpenDisplay(self.env['DISPLAY'].encode()))
        if self.wm:
            self.spawn(['openbox', '--sm-disable'], self.env)
            wait_for('openbox', lambda: 'window id' in self.x('xprop', '-root',
                                                              '_NET_SUPPORTING_WM_CHECK'))
        if self.desktop:
            self.launch(self.scale)
    def launch(self, scale):
        """Starts the program (again) at that scale; it chooses its platform itself."""
        self.scale, env = scale, dict(
            {k: v for k, v in self.env.items() if k != 'QT_QPA_PLATFORM'}, LC_ALL='C', TZ='UTC',
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_SCALE_FACTOR=str(scale), **FAKED,
            **(dict(FAKETIME_TIMESTAMP_FILE=self.set_clock(self.clock), FAKETIME_NO_CACHE='1')
               if self.stamp else dict(FAKETIME=self.clock)))
        if self.desktop == 'wayland':  # its requests (the app id among them); a dead X beside
            env.update(WAYLAND_DEBUG='client', DISPLAY=dead_display())
        for _ in range(5):
            self.app = self.spawn([self.target], env, errors=tempfile.NamedTemporaryFile())
            wait_for('the program', lambda: self.app.poll() is not None or (
                self.find('^Tass') if self.dpy else self.the(MAIN)))
            if self.app.poll() is None or not any(r in self.log() for r in REFUSED):
                return
    def set_clock(self, moment):
        open(self.stamp.name, 'w').write(moment + '\n')
        return self.stamp.name
    def xvfb(self):  # now and then it fails to start: then it is started again
        r, w = os.pipe()
        self.spawn(['Xvfb', '-displayfd', str(w), '-nolisten', 'tcp', '-screen', '0',
                    '%dx%dx24' % self.size], os.environ, pass_fds=(w,))
        os.close(w)
        with os.fdopen(r) as f:
            return (number := f.readline().strip()) and ':' + number
    def spawn(self, argv, env, errors=subprocess.DEVNULL, **how):
        self.procs.append(subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL,
                                           stderr=errors, **how))
        self.procs[-1].errors = errors
        return self.procs[-1]
    def log(self):
        return open(self.app.errors.name, errors='replace').read()
    def x(self, *argv, check=True):
        for _ in range(5):
            r = subprocess.run(argv, env=self.env, capture_output=True, text=True, errors='replace')
            if not any(s in r.stderr for s in REFUSED):
                break
            time.sleep(0.2)
        if check and r.returncode:
            raise AssertionError('%s: status %d, %s' % (argv, r.returncode, r.stderr.strip()))
        return r.stdout
    def end(self):
        self.dpy and X11.XCloseDisplay(self.dpy)
        for p in reversed(self.procs):
            p.terminate()  # nothing is sent to one that has ended
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
    def find(self, title):
        return self.x('xdotool', 'search', '--onlyvisible', '--name', title, check=False).split()
    def window(self, title):
        return wait_for('window ' + title, lambda: self.find(title))[0]
    def rect(self, title, framed):
        """x, y, width, height on the screen; framed: with the frame, once it is known."""
        wid = str(self.window(title))
        x, y, w, h = map(int, re.findall(r'(?:Absolute upper-left [XY]|Width|Height): +(-?\d+)',
                                         self.x('xwininfo', '-id', wid)))
        l, r, t, b = map(int, wait_for('frame extents', lambda: re.findall(r'\d+', self.x(
            'xprop', '-id', wid, '_NET_FRAME_EXTENTS').partition('=')[2]))) if framed and self.wm \
            else (0, 0, 0, 0)
        return x - l, y - t, w + l + r, h + t + b
    def the(self, title, role=None, name=None):
        """The accessible window, or its topmost-leftmost object of a role (and name, sans '&')."""
        top = wait_for('accessible ' + title, lambda: next(
            (w for a in kids(Atspi.get_desktop(0)) if a.get_process_id() == self.app.pid
             for w in kids(a) if w.get_name() == title.strip('^$')), None))
        at = lambda o: (lambda p: (p.y, p.x))(o.get_position(Atspi.CoordType.SCREEN))  # noqa
        return top if not role else wait_for('%s %s in %s' % (role, name or '', title), lambda: min(
            (o for o in nodes(top) if o.get_role_name() == role
             and name in (None, o.get_name().replace('&', ''))), key=at, default=None))
    def focus(self, *which):
        Atspi.Component.grab_focus(obj := self.the(*which))
        wait_for('%s to take the focus' % (which,),
                 lambda: obj.get_state_set().contains(Atspi.StateType.FOCUSED))
    def shows(self, title, *strings):  # as an object's name or text
        wait_for(title + ': strings not shown', lambda: [s for s in strings if s not in {
            t for o in nodes(self.the(title)) for t in (o.get_name(), 'Text' in o.get_interfaces()
                                                       and Atspi.Text.get_text(o, 0, -1))}], 5, [])
    def named(self, title):
        """Whatever takes the focus, and the bar, has a name (a drop-down's list has its items)."""
        wait_for(title + ': controls without a name', lambda: [
            o.get_role_name() for o in nodes(self.the(title))
            if (o.get_state_set().contains(Atspi.StateType.FOCUSABLE)
                or o.get_role_name() == 'progress bar') and not o.get_name()
            and o.get_parent().get_role_name() != 'combo box'], 1, want=[])
    def place(self, title, rule, ax=0, ay=0):
        """A window manager frames and moves a window a while after it is shown: wait for it."""
        (sw, sh), s = self.size, self.scale
        def offset():
            x, y, w, h = self.rect(title, rule != 'client')
            return {'client': (x - ax * s, y - ay * s), 'full': (x, y, w - sw, h - sh),
                    'top-right': (sw - x - w, y),  # flush, to the device pixel
                    'centred': tuple(v if abs(v) > 2 * s else 0  # to a pixel at scale 1
                                     for v in (2 * x + w - sw, 2 * y + h - sh))}[rule]
        wait_for('%s %s: offset' % (title, rule), offset, 8, (0,) * (4 if rule == 'full' else 2))
    def gone(self, title):
        wait_for(title + ' to close', lambda: not self.find(title), 10)
    def close(self, title):
        """The close box: WM_DELETE_WINDOW, then a round trip so that the request is not lost."""
        atom, wid = lambda name: X11.XInternAtom(self.dpy, name, 0), int(self.window(title))
        # An XClientMessageEvent in longs: type, serial, send_event, display, window, atom, format
        X11.XSendEvent(self.dpy, wid, 0, 0, (ctypes.c_long * 24)(
            33, 0, 0, 0, wid, atom(b'WM_PROTOCOLS'), 32, atom(b'WM_DELETE_WINDOW')))
        X11.XSync(self.dpy, 0)
    def minimise(self, title):
        """Minimised, the window takes the main window (which waits on it) along."""
        main, wid = self.window(MAIN), self.window(title)
        self.x('xdotool', 'windowminimize', str(wid))
        pump(1)
        wait_for('the main window without ' + title, lambda: bool(self.find(MAIN)) == bool(
            self.find(title)), 5)
        self.x('xdotool', 'windowactivate', '--sync', str(main))
        wait_for('the main window and ' + title, lambda: self.find(MAIN) and self.find(title), 10)
        self.x('xdotool', 'windowactivate', '--sync', str(wid))  # the user goes back to it
    def exit(self):
        wait_for('exit status', lambda: self.app.poll(), 15, want=0)
    def click(self, title, x, y, repeat=1, *more):
        cx, cy = self.rect(title, False)[:2]
        self.x('xdotool', 'mousemove', str(cx + x * self.scale), str(cy + y * self.scale), 'click',
               '--repeat', str(repeat), '--delay', '60', '1', *more)
    def key(self, *names):
        self.x('xdotool', 'key', '--delay', '50', *names)

if __name__ == '__main__':
    if 'TASSELDAY_E2E_BUS' not in os.environ:
        # A session bus, with the accessibility bus on it, and a runtime folder (where that bus
        # puts its socket) of its own, so that scenarios run side by side take none of another's.
        os.environ['TASSELDAY_E2E_BUS'] = os.environ['XDG_RUNTIME_DIR'] = tempfile.mkdtemp()
        os.execvp('dbus-run-session', ['dbus-run-session', '--', sys.executable] + sys.argv)
    atexit.register(shutil.rmtree, os.environ['TASSELDAY_E2E_BUS'], True)
    Desktop.play()
