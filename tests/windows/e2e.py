#!/usr/bin/python3
"""The installed tasselday.exe's scenarios (WINE in scenarios.py), played by tests/e2e/run.py's
driver on Wine's virtual desktop: e2e.py BUILD SCENARIO, or e2e.py BUILD --screenshots DIR."""
import os, shlex, subprocess, sys, tempfile  # noqa: E401
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'e2e'))
from run import FAKED, Desktop  # noqa: E402
from scenarios import MAIN, WINE  # noqa: E402
from screens import STILL_PARTS, Pixels, wait_for  # noqa: E402

FOLDER = 'C:\\Program Files\\Tasselday\\'
MSINFO = 'HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSInfo'
LINE = (10, 50, 396, 20)  # inside the frame of the time left's box (at 8,48): client pixels

class WineDesktop(Desktop):
    """Each scenario in a copy of BUILD/wine/installed; windows are found by their whole titles,
    positions are the virtual desktop's (the screen's)."""
    SCENARIOS, SHOTS = WINE, ('main', 'about', 'celebration')
    def launch(self, _):
        # The scenario's prefix, with WINE and the settings every Wine here runs with.
        self.env.update(v.split('=', 1) for v in shlex.split(self.x(
            os.path.join(HERE, 'wine.sh'), self.target, '--clone', 'e2e_' + self.name,
            'installed')) if '=' in v)
        self.env['TZ'], wine = 'UTC', self.env['WINE']
        # Wine's server, services and desktop first, on the true clock, holding no output open.
        subprocess.run([wine, 'wineboot'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        if self.tool is not None:  # '': none
            self.x(wine, 'reg', *(['add', MSINFO, '/v', 'Path', '/d', self.tool] if self.tool
                                  else ['delete', MSINFO]), '/f')
        self.app = self.spawn([wine, FOLDER + 'tasselday.exe'], dict(
            self.env, FAKETIME=self.clock, **FAKED), errors=tempfile.NamedTemporaryFile())
    def end(self):  # Wine's server, services and desktop, which outlive a killed server
        if 'WINEPREFIX' in getattr(self, 'env', {}):
            subprocess.run(['wineserver', '-k'], env=self.env, stderr=subprocess.DEVNULL)
        super().end()
    def failed(self):
        self.x('import', '-window', 'root',
               os.path.join(self.target, 'e2e_%s-failed.png' % self.name), check=False)
    def find(self, title):  # its frame's and its client area's x, y, width and height
        found = [*map(int, self.x(self.env['WINE'], FOLDER + 'wintool.exe', title.strip('^$'),
                                  check=False).split())]
        return found and [(found[:4], found[4:])]
    def rect(self, title, framed):
        return self.window(title)[not framed]
    def close(self, title):
        """Clicks the close box, on the title bar 12 pixels in from the frame's right edge."""
        (x, y, w, _), (cx, cy, _, _) = self.rect(title, True), self.rect(title, False)
        self.click(title, x + w - 12 - cx, (y - cy) // 2)
    def line(self, want):
        """The time left's box shows `want`, to the pixel, as wintool draws it."""
        self.x(self.env['WINE'], FOLDER + 'wintool.exe', 'C:\\line.ppm', want)
        x, y, w, h = LINE
        drawn = Pixels(open(os.path.join(self.env['WINEPREFIX'], 'drive_c', 'line.ppm'), 'rb')
                       .read()).region(x - 8, y - 48, w, h)
        wait_for('the time left "%s", to the pixel' % want,
                 lambda: self.region(*LINE, MAIN) == drawn, 5)
    def bar(self, percent):
        """The bar's chunk (its middle row's blue pixels): the percentage's share, to a pixel."""
        x, y, w, h = STILL_PARTS[2]
        row = self.region(x + 1, y + h // 2, w - 2, 1, MAIN)
        filled = sum(c[1:3] != c[5:7] for c in row)
        assert abs(filled - percent / 100 * len(row)) <= 1, \
            'the bar is filled %d of %d pixels' % (filled, len(row))

if __name__ == '__main__':
    WineDesktop.play()
