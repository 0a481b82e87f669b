#!/usr/bin/python3
"""End-to-end scenarios of the installed tasselday.exe on Wine's virtual desktop, driven and seen
as on Linux (tests/e2e/run.py, whose driver this extends); README's Windows section says how.
    e2e.py BUILD SCENARIO             run one scenario in a copy of BUILD/wine/installed
    e2e.py BUILD --screenshots DIR    retake docs/windows-*.png"""
import os, shlex, shutil, subprocess, sys, tempfile  # noqa: E401
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'e2e'))
import run  # noqa: E402
from run import play  # noqa: E402
from looks import STILL_PARTS  # noqa: E402
from scenarios import ABOUT, AT_0930, DIALOG, DONE, FROZEN_0930, GESTURE, MAIN, MSGBOX  # noqa: E402

TOOL, PROGRAM = 'About System Information', 'C:\\Program Files\\Tasselday\\tasselday.exe'
MSINFO = 'HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSInfo'
LINE = (10, 50, 396, 20)  # inside the frame of the time left's box (at 8,48): client pixels
SCENARIOS = {
    # Placement, the worked example, the gesture, a new hour applied; the close box ends it.
    'main': dict(clock=FROZEN_0930, steps=[
        ('place', MAIN, 'top-right'), ('look', 'before'), ('shot', MAIN, 'windows-main'),
        ('line', AT_0930[0]), ('bar', 71.36702), GESTURE, ('place', DIALOG, 'centred'),
        ('look', 'same'), ('shot', DIALOG, 'windows-options'), ('click', DIALOG, 120, 96),
        ('key', 'End', 'BackSpace', 'BackSpace', '9'), ('click', DIALOG, 48, 244),
        ('gone', DIALOG), ('line', '11 Weeks, 4 Days, 11 Hours, 29 Minutes, 45 Seconds!'),
        ('look', 'same'), ('close', MAIN), ('exit',)]),
    # The About box where its layout puts it; System Info starts the tool the registry names.
    'about': dict(clock='@2006-03-15 09:30:15', tool='C:\\windows\\system32\\msinfo32.exe',
                  steps=[('click', MAIN, 204, 128), ('place', ABOUT, 'client', 156, 129),
                         ('face', ABOUT, 283, 200, 84, 23), ('shot', ABOUT, 'windows-about'),
                         ('click', ABOUT, 325, 243), ('window', TOOL), ('close', ABOUT),
                         ('gone', ABOUT), ('close', MAIN), ('exit',)]),
    # No tool in the registry: the message box; then the jump to the ending, closed by Alt+F4.
    'sysinfo': dict(clock=FROZEN_0930, tool=None, steps=[
        ('click', MAIN, 204, 128), ('click', ABOUT, 325, 243), ('window', MSGBOX), ('key', 'Return'),
        ('gone', MSGBOX), GESTURE, ('click', DIALOG, 156, 208), ('place', DONE, 'full'),
        ('gone', MAIN), ('key', 'alt+F4'), ('exit',)]),
    # The hand-over at 18:00:00 by itself, the colour cycle, the "X".
    'celebration': dict(clock='@2006-06-04 17:59:57', steps=[
        ('place', DONE, 'full'), ('gone', MAIN), ('cycle',), ('face', DONE, 1008, 1, 16, 17),
        ('shot', DONE, 'windows-celebration'), ('click', DONE, 1016, 9), ('exit',)]),
}

class WineDesktop(run.Desktop):
    """A scenario's Xvfb with Wine's virtual desktop on it, in a prefix of its own; windows are
    found by their whole titles, positions are the virtual desktop's (the screen's)."""
    def __init__(self, name, build, shots):
        self.scenario = SCENARIOS[name]
        super().__init__(self.scenario, shots)
        self.name, self.build = name, build
    def launch(self, _):
        """On the scenario's Xvfb, which the Linux driver starts."""
        self.env['TZ'] = 'UTC'
        # The scenario's prefix, with WINE and the settings every Wine here runs with.
        self.env.update(v.split('=', 1) for v in shlex.split(subprocess.run(
            [os.path.join(HERE, 'wine.sh'), self.build, '--clone', 'e2e_' + self.name, 'installed'],
            check=True, capture_output=True, text=True).stdout) if '=' in v)
        # Wine's server, services and desktop start first, on the true clock, and holding no
        # output of a command run here open.
        subprocess.run([self.env['WINE'], 'wineboot'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        if 'tool' in self.scenario:
            tool = self.scenario['tool']
            self.wine_run('reg', *(['add', MSINFO, '/v', 'Path', '/d', tool] if tool
                                   else ['delete', MSINFO]), '/f')
        self.app = self.spawn([self.env['WINE'], PROGRAM], dict(self.env, FAKETIME=self.clock,
                                                                 **run.FAKED),
                              errors=tempfile.NamedTemporaryFile())  # Qt's and Wine's messages
    def wine_run(self, program, *args, check=True):
        r = subprocess.run([self.env['WINE'], program, *args], env=self.env, capture_output=True,
                           text=True, errors='replace')
        if check and r.returncode:
            raise AssertionError('%s %s: status %d %s' % (program, args, r.returncode, r.stderr))
        return r
    def end(self):
        if 'WINEPREFIX' in getattr(self, 'env', {}):
            subprocess.run(['wineserver', '-k'], env=self.env, stderr=subprocess.DEVNULL)
        super().end()

    def find(self, title):
        r = self.wine_run(os.path.join(self.build, 'tests', 'windows', 'wintool.exe'),
                          title.strip('^$'), check=False)
        return [list(map(int, r.stdout.split()))] if r.returncode == 0 else []
    def rect(self, title, framed):
        r = self.window(title)
        return r[:4] if framed else r[4:]
    def close(self, title):
        """Clicks the close box, on the title bar 12 pixels in from the frame's right edge."""
        (x, y, w, _), (_, cy, _, _) = self.rect(title, True), self.rect(title, False)
        self.x('xdotool', 'mousemove', str(x + w - 12), str((y + cy) // 2), 'click', '1')
    def line(self, want):
        """The time left's box shows `want`: to the pixel, inside its frame, what a read-only
        text box of its face, colours and size shows with that text (drawline.exe, run beside
        the installed program for its faces and Qt)."""
        folder = os.path.join(self.env['WINEPREFIX'], 'drive_c', 'Program Files', 'Tasselday')
        shutil.copy(os.path.join(self.build, 'tests', 'windows', 'drawline.exe'), folder)
        self.wine_run(PROGRAM.replace('tasselday.exe', 'drawline.exe'), 'C:\\line.ppm', want)
        with open(os.path.join(folder, '..', '..', 'line.ppm'), 'rb') as f:
            _, width, height, _, rgb = f.read().split(maxsplit=4)  # P6 width height 255 pixels
        width, (x, y, w, h) = int(width), LINE
        drawn = ['#%02X%02X%02X' % tuple(rgb[3 * (i + j * width):3 * (i + j * width) + 3])
                 for j in range(y - 48, y - 48 + h) for i in range(x - 8, x - 8 + w)]
        assert len(rgb) == 3 * width * int(height)
        run.wait_for('the time left "%s", to the pixel' % want,
                     lambda: self.region(*LINE, MAIN) == drawn, 5)
    def bar(self, percent):
        """The bar's chunk (the blue pixels along its middle row, inside its frame), to a
        pixel of the percentage's share of the bar."""
        x, y, w, h = STILL_PARTS[2]
        row = self.region(x + 1, y + h // 2, w - 2, 1, MAIN)
        filled = sum(c[1:3] != c[5:7] for c in row)
        assert abs(filled - percent / 100 * len(row)) <= 1, \
            'the bar is filled %d of %d pixels' % (filled, len(row))

if __name__ == '__main__':
    build = os.path.abspath(sys.argv[1])
    play(('main', 'about', 'celebration'), lambda name, shots: WineDesktop(name, build, shots),
         lambda d, name: d.x('import', '-window', 'root',
                             os.path.join(build, 'e2e_%s-failed.png' % name), check=False))
