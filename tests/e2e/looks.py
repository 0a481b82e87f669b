"""What the screen shows, read as pixels or heard over AT-SPI: the verbs that look, mixed into
run.py's Desktop."""
import ctypes, datetime, os, re, time  # noqa: E401
from scenarios import ABOUT, MAIN
from screens import CYCLE, FACE, Atspi, nodes, pump, wait_for

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


class LookVerbs:
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
