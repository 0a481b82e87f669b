#!/usr/bin/python3
"""End-to-end scenarios: the real program on its own Xvfb screen (under openbox or with no window
manager) or headless weston (screens.py), its clock set by libfaketime, driven by xdotool, seen in
pixels and over AT-SPI.
    run.py BINARY SCENARIO            run one scenario (CTest runs each on its own)
    run.py BINARY --screenshots DIR   remake the README's screenshots under openbox"""
import atexit, ctypes, datetime, os, re, shutil, subprocess, sys, tempfile, time  # noqa: E401
from screens import CYCLE, FACE, Atspi, ScreenVerbs, kids, nodes, pump, wait_for

MAIN, DIALOG, ABOUT = '^Tasselday - by Quillerby$', '^Advanced Options$', '^About Tasselday$'
DONE, MSGBOX = "^CONGRATULATIONS CLASS OF '06 !!!$", '^Tasselday$'
AT_0930 = ('11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!', 'School Year Completed: 71.36702%')
FROZEN_0930 = '2006-03-15 09:30:15'  # no '@': the clock stands still, so every text is known
REFUSED = ('connect to display', 'open display')  # Xvfb now and then refuses a new client
# Three double-clicks on the hidden square in one go: a pause of 2 s would start them over.
GESTURE = ('click', MAIN, 400, 134, 2) + ('sleep', '0.15', 'click', '--repeat', '2', '--delay',
                                          '60', '1') * 2
HOUR_9 = [('focus', DIALOG, 'text'), ('key', 'End', 'BackSpace', 'BackSpace', '9'),
          ('shows', DIALOG, '9')]  # the hour box is the dialog's first text box
DIGITS_2 = [('focus', DIALOG, 'text', 'Percent digits'), ('key', 'End', 'BackSpace', '2'),
            ('shows', DIALOG, '2')]
PRESS = lambda button: [('focus', DIALOG, 'push button', button), ('key', 'Return')]  # noqa
# At fractional scales on 1366x768, started again at each; RandR then resizes the screen under it.
SCALES = dict(clock=FROZEN_0930, scale=1.5, size=(1366, 768), steps=[
    ('place', MAIN, 'top-right'), *[s for scale in (1.75, 1.25) for s in (
        ('close', MAIN), ('exit',), ('launch', scale), ('place', MAIN, 'top-right'))],
    ('monitor', 1111, 768), ('place', MAIN, 'top-right'), ('close', MAIN), ('exit',)])
# Each step is (verb, arguments...), a method of Desktop; positions are client pixels at scale 1.
SCENARIOS = {
    # Placement with frames, texts at a known moment, names, the gesture, the dialog's keys.
    'main_openbox': dict(wm=True, clock=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('shows', MAIN, *AT_0930), ('named', MAIN),
        ('shot', MAIN, 'main'), ('look', 'before'), GESTURE, ('place', DIALOG, 'centred'),
        ('look', 'same'), ('disabled', MAIN), ('named', DIALOG), ('face', DIALOG, 242, 90, 28, 17),
        ('shot', DIALOG, 'options'), ('minimise', DIALOG), *HOUR_9, *PRESS('Cancel'),
        ('gone', DIALOG), ('shows', MAIN, *AT_0930), GESTURE, *HOUR_9, *DIGITS_2, *PRESS('OK'),
        ('gone', DIALOG), ('shows', MAIN, '11 Weeks, 4 Days, 11 Hours, 29 Minutes, 45 Seconds!',
                          'School Year Completed: 71.37%'), ('bar', MAIN), ('close', MAIN),
        ('exit',)]),
    # Without a window manager: no frames, the program places its windows itself.
    'main_nowm': dict(wm=False, clock=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('click', MAIN, 204, 128),
        ('place', ABOUT, 'client', 156, 129), ('close', ABOUT), ('gone', ABOUT), GESTURE,
        ('place', DIALOG, 'centred'), ('click', DIALOG, 156, 208), ('place', DONE, 'full'),
        ('click', DONE, 955, 732), ('exit',)]),
    # A running clock, stepped three times: the quiet countdown, the bar's value, every second
    # shown, the About box, System Info, the close boxes.
    'about': dict(wm=True, clock='@2006-03-15 09:30:15', stepped=True, steps=[
        ('place', MAIN, 'top-right'), ('quiet', 3), ('bar', MAIN),
        ('seconds', '2006-03-15 08:00:00', '2006-03-15 12:00:00', '2006-06-01 18:00:00'),
        ('place', ABOUT, 'client', 156, 129),
        ('named', ABOUT), ('face', ABOUT, 283, 200, 84, 23), ('shot', ABOUT, 'about'),
        ('click', ABOUT, 325, 243),
        ('shows', MSGBOX, 'System Information Is Unavailable At This Time'), ('key', 'Return'),
        ('gone', MSGBOX), ('close', ABOUT), ('gone', ABOUT), ('close', MAIN), ('exit',)]),
    # The natural hand-over a few seconds before the ceremony, the colour cycle, the "X".
    'handover': dict(wm=True, clock='@2006-06-04 17:59:57', steps=[
        ('place', DONE, 'full'), ('gone', MAIN), ('cycle',), ('face', DONE, 1008, 1, 16, 17),
        ('named', DONE), ('off_taskbar', DONE), ('shot', DONE, 'celebration'),
        ('click', DONE, 1016, 9), ('exit',)]),
    # No display that answers: DISPLAY unset, empty, or naming no server; no WAYLAND_DISPLAY.
    'no_display': dict(desktop=None, steps=[('refused', d) for d in (None, '', '?')]),
    # Flush to the device pixel, with openbox and with no window manager.
    'scales_openbox': dict(wm=True, **SCALES), 'scales_nowm': dict(wm=False, **SCALES),
    # Weston's Xwayland, which reports no frames: the main window inside the screen, the class,
    # the hand-over at 18:00:00, the celebration over the screen and its "X" (AT-SPI).
    'weston_x11': dict(desktop='xwayland', clock='@2006-06-04 17:59:55', steps=[
        ('seen', 'inside'), ('app_id', MAIN), ('covered',), ('gone', MAIN), ('alive', 1),
        ('press', DONE, 'push button', 'Close'), ('exit',)]),
    # Native Wayland: where the compositor puts the main window, the app id, the hand-over to the
    # celebration in the full-screen state, the program alive until its "X" is pressed.
    'weston_native': dict(desktop='wayland', clock='@2006-06-04 17:59:55', steps=[
        ('seen', 'anywhere'), ('app_id', MAIN), ('covered',), ('alive', 2),
        ('press', DONE, 'push button', 'Close'), ('exit',)]),
    # Everything doubled: a 2048x1536 screen at QT_SCALE_FACTOR=2.
    'scale2': dict(wm=True, clock=FROZEN_0930, scale=2, steps=[
        ('place', MAIN, 'top-right'), ('click', MAIN, 204, 128),
        ('place', ABOUT, 'client', 156, 129), ('key', 'Escape'), ('gone', ABOUT), GESTURE,
        ('place', DIALOG, 'centred'), *PRESS('Jump to the Ending'), ('place', DONE, 'full'),
        ('close', DONE), ('exit',)]),
}
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

class Desktop(ScreenVerbs):
    """One scenario's screen and processes, each ended by its id; its methods are the verbs.
    Xvfb now and then fails to start or refuses a new client: that is started again."""
    def __init__(self, scenario, shots):
        self.wm, self.clock, self.shots, self.procs = scenario.get('wm'), scenario.get('clock'), \
            shots, []
        self.kind = scenario.get('desktop', 'xvfb')  # 'xvfb', 'xwayland', 'wayland' or None
        self.scale, self.dpy, self.app = scenario.get('scale', 1), None, None
        # A stepped clock reads its moment from a file, again at every reading.
        self.stamp = scenario.get('stepped') and tempfile.NamedTemporaryFile('w')
        self.size = scenario.get('size', (1024 * self.scale, 768 * self.scale))
    def start(self, binary):
        self.binary = binary
        if self.kind in ('xwayland', 'wayland'):
            self.start_weston()
        elif self.kind:
            self.env = dict(os.environ, DISPLAY=wait_for('Xvfb to start', self.xvfb))
        if 'DISPLAY' in getattr(self, 'env', {}):
            self.dpy = wait_for('the display',
                                lambda: X11.XOpenDisplay(self.env['DISPLAY'].encode()))
        if self.wm:
            self.spawn(['openbox', '--sm-disable'], self.env)
            wait_for('openbox', lambda: 'window id' in self.x('xprop', '-root',
                                                              '_NET_SUPPORTING_WM_CHECK'))
        if self.kind:
            self.launch(self.scale)
    def launch(self, scale):
        """Starts the program (again) at that scale; it chooses its platform itself."""
        self.scale, env = scale, dict(
            {k: v for k, v in self.env.items() if k != 'QT_QPA_PLATFORM'}, LC_ALL='C', TZ='UTC',
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_SCALE_FACTOR=str(scale), FAKETIME_DONT_FAKE_MONOTONIC='1',
            NO_FAKE_STAT='1', LD_PRELOAD='/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1',
            **(dict(FAKETIME_TIMESTAMP_FILE=self.set_clock(self.clock), FAKETIME_NO_CACHE='1')
               if self.stamp else dict(FAKETIME=self.clock)))
        if self.kind == 'wayland':
            env['WAYLAND_DEBUG'] = 'client'  # its requests, the app id among them
        for _ in range(5):
            self.app = self.spawn([self.binary], env, errors=tempfile.NamedTemporaryFile())
            wait_for('the program', lambda: self.app.poll() is not None or (
                self.find('^Tass') if self.dpy else self.the(MAIN)))
            if self.app.poll() is None or not any(r in self.log() for r in REFUSED):
                return
    def set_clock(self, moment):
        self.stamp.seek(0), self.stamp.truncate(), self.stamp.write(moment + '\n'), self.stamp.flush()
        return self.stamp.name
    def xvfb(self):
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
            r = subprocess.run(argv, env=self.env, capture_output=True, text=True)
            if not any(s in r.stderr for s in REFUSED):
                break
            time.sleep(0.2)
        if check and r.returncode:
            raise AssertionError('%s failed: %s' % (argv[0], r.stderr.strip()))
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
        return int(wait_for('window ' + title, lambda: self.find(title))[0])
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
    def shows(self, title, *strings):
        """Each string is read in the window, as an object's name or text."""
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
        atom, wid = lambda name: X11.XInternAtom(self.dpy, name, 0), self.window(title)
        # A ClientMessage XEvent on x86-64, one long a field: type, serial, send_event, display,
        # window, message_type, format, then the data.
        X11.XSendEvent(self.dpy, wid, 0, 0, (ctypes.c_long * 24)(
            33, 0, 0, 0, wid, atom(b'WM_PROTOCOLS'), 32, atom(b'WM_DELETE_WINDOW')))
        X11.XSync(self.dpy, 0)
    def minimise(self, title):
        """The window manager's minimise request (WM_CHANGE_STATE iconic) on a window: the main
        window, which waits on it, is not left on the screen without it, and activating the
        main window brings both back; then the user takes up the window again."""
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
        self.x('xdotool', 'mousemove', '--window', str(self.window(title)), str(x * self.scale),
               str(y * self.scale), 'click', '--repeat', str(repeat), '--delay', '60', '1', *more)
    def key(self, *names):
        self.x('xdotool', 'key', '--delay', '50', *names)

    # -- what the screen shows
    def region(self, x, y, w, h, title=None):
        """Colours ('#RRGGBB') of a rectangle of the screen or (at scale 1) of a client area."""
        if title:
            cx, cy, _, _ = self.rect(title, False)
            x, y = cx + x * self.scale, cy + y * self.scale
        img = X11.XGetImage(self.dpy, X11.XDefaultRootWindow(self.dpy), x, y, w, h, 2**64 - 1, 2)
        try:
            return ['#%06X' % (X11.XGetPixel(img, i, j) & 0xFFFFFF)
                    for j in range(h) for i in range(w)]
        finally:
            X11.XDestroyImage(img)
    def disabled(self, title):
        """A screen reader hears none of a disabled window's controls as enabled."""
        wait_for(title + ': controls enabled over AT-SPI', lambda: [
            o.get_role_name() for o in nodes(self.the(title))
            if o.get_state_set().contains(Atspi.StateType.ENABLED)], 5, [])
    def look(self, which):
        """The disabled main window keeps its look: the still parts to the pixel, the text box
        (whose frame shows the focus) by its dark text pixels, to which a caret adds a few."""
        parts = [self.region(*p, title=MAIN) for p in STILL_PARTS]
        dark = sum(max(int(c[i:i + 2], 16) for i in (1, 3, 5)) < 0x60
                   for c in self.region(*TEXT_BOX, title=MAIN))
        if which == 'before':
            self.before = parts, dark
        changed = [STILL_PARTS[i] for i, p in enumerate(parts) if p != self.before[0][i]]
        assert not changed and abs(dark - self.before[1]) <= 0.1 * self.before[1], \
            'the disabled main window changed its look: parts %s, %d dark text pixels ' \
            '(before %d)' % (changed, dark, self.before[1])
    def face(self, title, x, y, w, h):
        """A graphical button's face is flat, in exactly its colour."""
        pixels = self.region(x, y, w, h, title)
        assert pixels.count(FACE) >= len(pixels) / 2, '%s: %d of %d pixels are %s' % (
            title, pixels.count(FACE), w * h, FACE)
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
        assert set(colours) == set(CYCLE) and 0.3 < spans[len(spans) // 2] < 0.55 and all(
            b == CYCLE[(CYCLE.index(a) + 1) % 4] for a, b in zip(colours, colours[1:])), \
            'background colours seen: %s' % [(c, round(t - start, 2)) for c, t in seen]
    def bar(self, title):
        """A screen reader reads the bar's value as the percentage label writes it."""
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
        """With the focus away from the countdown (in the About box), the countdown is not
        announced: no text, value or name change of the main window's text box or bar."""
        heard, listener = [], Atspi.EventListener.new(lambda e: heard.append(e))
        kinds = ['object:text-changed', 'object:property-change:accessible-value',
                 'object:property-change:accessible-name']
        self.click(MAIN, 204, 128)
        self.focus(ABOUT, 'push button')
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

if __name__ == '__main__':
    if 'TASSELDAY_E2E_BUS' not in os.environ:
        # A session bus of its own, with the accessibility bus on it, ended with the scenario;
        # and a runtime folder of its own, where that bus puts its socket, so that scenarios
        # run side by side do not take each other's.
        os.environ['TASSELDAY_E2E_BUS'] = os.environ['XDG_RUNTIME_DIR'] = tempfile.mkdtemp()
        os.execvp('dbus-run-session', ['dbus-run-session', '--', sys.executable] + sys.argv)
    atexit.register(shutil.rmtree, os.environ['TASSELDAY_E2E_BUS'], True)
    shots = sys.argv[3] if sys.argv[2] == '--screenshots' else None
    for name in ('main_openbox', 'about', 'handover') if shots else [sys.argv[2]]:
        started, d = time.monotonic(), Desktop(SCENARIOS[name], shots)
        try:
            d.start(os.path.abspath(sys.argv[1]))
            for verb, *args in SCENARIOS[name]['steps']:
                getattr(d, verb)(*args)
        except AssertionError as e:
            sys.exit('program output:\n%s\nFAILED: %s' % (d.app and d.log()[-2000:], e))
        finally:
            d.end()
        print('%s: passed in %.1f s' % (name, time.monotonic() - started))
