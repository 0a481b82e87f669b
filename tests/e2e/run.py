#!/usr/bin/python3
"""End-to-end scenarios: the real program on Xvfb, driven like a user, seen on the screen and
heard over AT-SPI.

    run.py BINARY SCENARIO [-k]       run one scenario (CTest runs each on its own);
                                      -k goes on after a failed step and lists them all
    run.py BINARY --screenshots DIR   remake the README's screenshots under openbox
"""
import os
import sys
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from session import (ABOUT, DIALOG, DONE, MAIN, MSGBOX, Atspi, Failure, Session,  # noqa: E402
                     nodes, pump, text_of, wait_for)

NAVY, DARK_RED, GREEN, ORANGE, FACE = '#000080', '#C00000', '#008000', '#FF8000', '#8080FF'
AT_0930 = ('11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!', 'School Year Completed: 71.36702%')
FROZEN_0930 = '2006-03-15 09:30:15'  # no '@': the clock stands still, so every text is known

# Each step is (verb, arguments...); the verbs are the methods of Run below. Positions are in
# the window's client area, in pixels at scale 1.
SCENARIOS = {
    # Placement with frames, texts at a known moment, names, the gesture, the dialog's keys.
    'main_openbox': dict(wm=True, faketime=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('texts', *AT_0930), ('named', MAIN), ('shot', MAIN, 'main'),
        ('look', 'before'), ('gesture',), ('place', DIALOG, 'centred'), ('look', 'same'),
        ('named', DIALOG), ('shot', DIALOG, 'options'),
        ('hour', '9'), ('press', 'Cancel'), ('gone', DIALOG), ('texts', *AT_0930),
        ('gesture',), ('hour', '9'), ('press', 'OK'), ('gone', DIALOG),
        ('texts', '11 Weeks, 4 Days, 11 Hours, 29 Minutes, 45 Seconds!', AT_0930[1]),
        ('close', MAIN), ('exit',)]),
    # Without a window manager: no frames, the program places its windows itself.
    'main_nowm': dict(wm=False, faketime=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('click', MAIN, 204, 128),
        ('place', ABOUT, 'client', 156, 129), ('close', ABOUT), ('gone', ABOUT), ('gesture',),
        ('place', DIALOG, 'centred'), ('click', DIALOG, 156, 208), ('place', DONE, 'full'),
        ('click', DONE, 955, 732), ('exit',)]),
    # A running clock: the quiet countdown, the About box, System Info, the close boxes.
    'about': dict(wm=True, faketime='@2006-03-15 09:30:15', steps=[
        ('place', MAIN, 'top-right'), ('quiet', 3), ('place', ABOUT, 'client', 156, 129),
        ('named', ABOUT), ('face', ABOUT, 283, 200, 84, 23), ('shot', ABOUT, 'about'),
        ('click', ABOUT, 325, 243), ('message', 'System Information Is Unavailable At This Time'),
        ('key', 'Return'), ('gone', MSGBOX), ('close', ABOUT), ('gone', ABOUT),
        ('close', MAIN), ('exit',)]),
    # The natural hand-over a few seconds before the ceremony, the colour cycle, the "X".
    'handover': dict(wm=True, faketime='@2006-06-04 17:59:57', steps=[
        ('place', DONE, 'full'), ('gone', MAIN), ('cycle',), ('face', DONE, 1008, 1, 16, 17),
        ('named', DONE), ('shot', DONE, 'celebration'), ('click', DONE, 1016, 9), ('exit',)]),
    # Everything doubled: a 2048x1536 screen at QT_SCALE_FACTOR=2.
    'scale2': dict(wm=True, faketime=FROZEN_0930, width=2048, height=1536,
                   env={'QT_SCALE_FACTOR': '2'}, steps=[
        ('place', MAIN, 'top-right'), ('click', MAIN, 204, 128),
        ('place', ABOUT, 'client', 156, 129), ('key', 'Escape'), ('gone', ABOUT), ('gesture',),
        ('place', DIALOG, 'centred'), ('press', 'Jump to the Ending'), ('place', DONE, 'full'),
        ('close', DONE), ('exit',)]),
}


class Run:
    def __init__(self, binary, scenario, shots=None):
        self.scenario, self.shots = scenario, shots
        self.scale = int(scenario.get('env', {}).get('QT_SCALE_FACTOR', '1'))
        self.s = Session(binary, scenario.get('width', 1024), scenario.get('height', 768), scenario['wm'],
                         scenario['faketime'], scenario.get('env'))
        self.looks = {}

    def steps(self, keep_going):
        """Runs the steps; with keep_going, goes on past a failed step and reports them all."""
        failed = []
        for verb, *args in self.scenario['steps']:
            try:
                getattr(self, verb)(*args)
            except Failure as e:
                if not keep_going:
                    raise
                failed.append('%s: %s' % (verb, e))
        if failed:
            raise Failure('\n  '.join([''] + failed))

    # -- AT-SPI
    def top(self, title):
        """The accessible window with this title."""
        app = self.s.accessible()
        return wait_for('accessible ' + title, lambda: next(
            (w for w in (app.get_child_at_index(i) for i in range(app.get_child_count()))
             if w and w.get_name() == title.strip('^$')), None))

    def the(self, title, role, pick=lambda o: True):
        objs = [o for o in nodes(self.top(title)) if o.get_role_name() == role and pick(o)]
        objs.sort(key=lambda o: (o.get_position(Atspi.CoordType.SCREEN).y,
                                 o.get_position(Atspi.CoordType.SCREEN).x))
        if not objs:
            raise Failure('no %s in %s' % (role, title))
        return objs[0]

    def texts(self, display, school):
        shown = lambda: (text_of(self.the(MAIN, 'text')), self.the(
            MAIN, 'label', lambda o: o.get_name().startswith('School')).get_name())
        try:
            wait_for('the texts', lambda: shown() == (display, school), 5)
        except Failure:
            raise Failure('main window shows %r, expected %r' % (shown(), (display, school)))

    def named(self, title):
        """Every control a user can reach has a name a screen reader reads: whatever takes the
        focus, and the bar. (A drop-down's own pop-up list is read by its items.)"""
        nameless = [o.get_role_name() for o in nodes(self.top(title))
                    if (o.get_state_set().contains(Atspi.StateType.FOCUSABLE)
                        or o.get_role_name() == 'progress bar') and not o.get_name()
                    and o.get_parent().get_role_name() != 'combo box']
        if nameless:
            raise Failure('%s: controls without a name: %s' % (title, ', '.join(nameless)))

    def quiet(self, seconds):
        """With the focus away from the countdown (in the About box), the countdown is not
        announced: no text, value or name change of the main window's text box or bar."""
        heard = []
        listener = Atspi.EventListener.new(lambda e: heard.append(e))
        kinds = ['object:text-changed', 'object:property-change:accessible-value',
                 'object:property-change:accessible-name', 'object:state-changed:focused']
        for kind in kinds:
            listener.register(kind)
        self.click(MAIN, 204, 128)
        self.s.window(ABOUT)
        wait_for('the About box to take the focus', lambda: any(
            e.type.startswith('object:state-changed:focused') for e in heard))
        pump(1)  # events of the opening have passed
        heard.clear()
        pump(seconds)
        for kind in kinds:
            listener.deregister(kind)
        said = [e.type for e in heard
                if e.source.get_role_name() in ('text', 'progress bar')
                and not e.type.startswith('object:state-changed')]
        if said:
            raise Failure('countdown announced %d times in %d s without focus: %s'
                          % (len(said), seconds, sorted(set(said))))

    # -- windows
    def place(self, title, rule, *at):
        """Where a window is, frame included; a window manager frames and moves a window some
        time after it is shown, so the rule may take a moment to hold."""
        wid, (sw, sh) = self.s.window(title), self.s.size

        def check():
            x, y, w, h = self.s.client(wid) if rule == 'client' else self.s.frame(wid)
            return {
                'client': ((x, y), tuple(v * self.scale for v in at)),
                # flush with the top and right edges, to the device pixel
                'top-right': ((sw - x - w, y), (0, 0)),
                # centred to within one (unscaled) pixel
                'centred': (tuple(v if abs(v) > 2 * self.scale else 0
                                  for v in (2 * x + w - sw, 2 * y + h - sh)), (0, 0)),
                'full': ((x, y, w, h), (0, 0, sw, sh)),
            }[rule]
        try:
            wait_for(title + ' ' + rule, lambda: check()[0] == check()[1], 8, 0.2)
        except Failure:
            raise Failure('%s: %s expected %s, got %s (frame %s)'
                          % (title, rule, check()[1], check()[0], self.s.frame(wid)))

    def gesture(self):
        """Three double-clicks on the hidden square at the bottom right of the main window."""
        for _ in range(3):
            self.s.click(self.s.window(MAIN), *self.px(400, 134), repeat=2)
            pump(0.15)
        self.s.window(DIALOG)

    def gone(self, title):
        self.s.gone(title)

    def close(self, title):
        self.s.close_request(self.s.window(title))

    def exit(self):
        status = self.s.exit_status()
        if status != 0:
            raise Failure('exit status %d' % status)

    def message(self, text):
        box = self.top(MSGBOX)
        if not any(o.get_name() == text for o in nodes(box)):
            raise Failure('message box says %r' % [o.get_name() for o in nodes(box)])

    # -- input
    def px(self, x, y):
        return x * self.scale, y * self.scale

    def click(self, title, x, y):
        self.s.click(self.s.window(title), *self.px(x, y))

    def key(self, name):
        self.s.keys(name)

    def hour(self, digit):
        """Types a new hour into the dialog's hour box (the first text box of its row)."""
        box = self.the(DIALOG, 'text')
        Atspi.Component.grab_focus(box)
        wait_for('the hour box to take the focus',
                 lambda: box.get_state_set().contains(Atspi.StateType.FOCUSED))
        self.s.keys('End', 'BackSpace', 'BackSpace', digit)
        wait_for('the typed hour', lambda: text_of(box) == digit, 5)

    def press(self, button):
        """Enter on a button that has the keyboard focus."""
        b = self.the(DIALOG, 'push button', lambda o: o.get_name().replace('&', '') == button)
        Atspi.Component.grab_focus(b)
        wait_for(button + ' to take the focus',
                 lambda: b.get_state_set().contains(Atspi.StateType.FOCUSED))
        self.s.keys('Return')

    # -- the screen
    def origin(self, title):
        x, y, _, _ = self.s.client(self.s.window(title))
        return x, y

    def look(self, which):
        """The main window's texts and bar keep their look while the dialog is open (at scale 1)."""
        x, y = self.origin(MAIN)
        parts = {'heading': (8, 8, 401, 33), 'percent': (16, 72, 393, 25), 'bar': (8, 96, 401, 17),
                 'ends': (8, 112, 401, 14)}
        now = {k: self.s.region((x + a, y + b, w, h)) for k, (a, b, w, h) in parts.items()}
        # The text box inside its frame (which shows the focus): count its dark text pixels;
        # a blinking cursor adds only a few.
        now['display'] = sum(max(int(c[1:3], 16), int(c[3:5], 16), int(c[5:], 16)) < 0x60
                             for c in self.s.region((x + 11, y + 51, 394, 18)))
        if which == 'before':
            self.looks = now
            return
        changed = [k for k in parts if now[k] != self.looks[k]]
        dark = self.looks['display']
        if not 0.9 * dark <= now['display'] <= 1.1 * dark:
            changed.append('display (%d dark pixels, before %d)' % (now['display'], dark))
        if changed:
            raise Failure('the disabled main window changed its look: ' + ', '.join(changed))

    def face(self, title, x, y, w, h):
        """A graphical button's face is flat, in exactly its colour."""
        ox, oy = self.origin(title)
        pixels = self.s.region((ox + x, oy + y, w, h))
        share = pixels.count(FACE) / len(pixels)
        if share < 0.5:
            raise Failure('%s: only %.0f%% of the button is %s' % (title, 100 * share, FACE))

    def cycle(self):
        """The celebration's background steps navy, dark red, green, orange, every 400 ms."""
        order, seen, start = [NAVY, DARK_RED, GREEN, ORANGE], [], time.monotonic()
        while time.monotonic() - start < 3.5:
            colour = self.s.region((4, 750, 1, 1))[0]
            if not seen or seen[-1][0] != colour:
                seen.append((colour, time.monotonic()))
            time.sleep(0.02)
        colours = [c for c, _ in seen]
        steps = list(zip(colours, colours[1:]))
        bad = [s for s in steps if s[0] not in order or s[1] != order[(order.index(s[0]) + 1) % 4]]
        spans = sorted(b - a for (_, a), (_, b) in zip(seen[1:], seen[2:]))
        if bad or set(colours) != set(order) or not 0.3 < spans[len(spans) // 2] < 0.55:
            raise Failure('background colours seen: %s'
                          % [(c, round(t - start, 2)) for c, t in seen])

    def shot(self, title, name):
        if self.shots:
            x, y, w, h = self.s.frame(self.s.window(title))
            x, y = max(x, 0), max(y, 0)
            w, h = min(w, self.s.size[0] - x), min(h, self.s.size[1] - y)
            self.s.save(os.path.join(self.shots, name + '.png'), (x, y, w, h))


def run(binary, name, shots=None, keep_going=False):
    started = time.monotonic()
    r = Run(binary, SCENARIOS[name], shots)
    try:
        r.steps(keep_going)
    except Failure:
        print('program output:\n' + r.s.log(r.s.app)[-2000:])
        raise
    finally:
        r.s.close()
    print('%s: passed in %.1f s' % (name, time.monotonic() - started))


def main():
    if 'TASSELDAY_E2E_BUS' not in os.environ:
        # A session bus of its own, with the accessibility bus on it, ended with the scenario.
        os.environ['TASSELDAY_E2E_BUS'] = '1'
        os.execvp('dbus-run-session', ['dbus-run-session', '--', sys.executable] + sys.argv)
    keep_going = '-k' in sys.argv
    args = [a for a in sys.argv[1:] if a != '-k']
    binary, what = os.path.abspath(args[0]), args[1]
    try:
        if what == '--screenshots':
            for name in ('main_openbox', 'about', 'handover'):
                run(binary, name, args[2])
        else:
            run(binary, what, keep_going=keep_going)
    except Failure as e:
        print('FAILED:', e)
        sys.exit(1)


if __name__ == '__main__':
    main()
