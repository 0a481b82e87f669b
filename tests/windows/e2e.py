#!/usr/bin/python3
"""End-to-end scenarios of the installed tasselday.exe on Wine's virtual desktop, driven and seen
as on Linux by tests/e2e/run.py's driver, which this extends; README's Windows section says how.
    e2e.py BUILD SCENARIO             run one scenario in a copy of BUILD/wine/installed
    e2e.py BUILD --screenshots DIR    retake docs/windows-*.png"""
import os, shlex, shutil, subprocess, sys, tempfile  # noqa: E401
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'e2e'))
from run import FAKED, Desktop  # noqa: E402
from scenarios import (ABOUT, ABOUT_BOX, ABOUT_FACE, AT_0930, CLOSE_ALL, DIALOG, DONE,  # noqa
                       FROZEN_0930, GESTURE, HANDOVER, MAIN, MSGBOX, SYSINFO)
from screens import STILL_PARTS, Pixels, wait_for  # noqa: E402

TOOL, FOLDER = 'About System Information', 'C:\\Program Files\\Tasselday\\'
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
                  steps=[*ABOUT_BOX, ABOUT_FACE, ('shot', ABOUT, 'windows-about'), SYSINFO,
                         ('window', TOOL), *CLOSE_ALL]),
    # No tool in the registry: the message box; then the jump to the ending, closed by Alt+F4.
    'sysinfo': dict(clock=FROZEN_0930, tool='', steps=[
        ABOUT_BOX[0], SYSINFO, ('window', MSGBOX), ('key', 'Return'), ('gone', MSGBOX), GESTURE,
        ('click', DIALOG, 156, 208), ('place', DONE, 'full'), ('gone', MAIN), ('key', 'alt+F4'),
        ('exit',)]),
    'celebration': dict(clock='@2006-06-04 17:59:57', steps=[
        *HANDOVER, ('shot', DONE, 'windows-celebration'), ('click', DONE, 1016, 9), ('exit',)]),
}


class WineDesktop(Desktop):
    """A scenario's Xvfb with Wine's virtual desktop on it, in a prefix of its own; windows are
    found by their whole titles, positions are the virtual desktop's (the screen's)."""
    SCENARIOS, SHOTS = SCENARIOS, ('main', 'about', 'celebration')

    def launch(self, _):
        # The scenario's prefix, with WINE and the settings every Wine here runs with.
        self.env.update(v.split('=', 1) for v in shlex.split(self.x(
            os.path.join(HERE, 'wine.sh'), self.target, '--clone', 'e2e_' + self.name,
            'installed')) if '=' in v)
        self.env['TZ'], wine = 'UTC', self.env['WINE']
        # Wine's server, services and desktop start first, on the true clock, and holding no
        # output of a command run here open.
        subprocess.run([wine, 'wineboot'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        if self.tool is not None:  # '': none
            self.x(wine, 'reg', *(['add', MSINFO, '/v', 'Path', '/d', self.tool] if self.tool
                                  else ['delete', MSINFO]), '/f')
        shutil.copy(os.path.join(self.target, 'tests', 'windows', 'wintool.exe'), os.path.join(
            self.env['WINEPREFIX'], 'drive_c', 'Program Files', 'Tasselday'))  # beside its Qt
        self.app = self.spawn([wine, FOLDER + 'tasselday.exe'], dict(
            self.env, FAKETIME=self.clock, **FAKED), errors=tempfile.NamedTemporaryFile())
    def wintool(self, *args, check=False):
        return self.x(self.env['WINE'], FOLDER + 'wintool.exe', *args, check=check)
    def end(self):
        if 'WINEPREFIX' in getattr(self, 'env', {}):
            subprocess.run(['wineserver', '-k'], env=self.env, stderr=subprocess.DEVNULL)
        super().end()
    def failed(self):
        self.x('import', '-window', 'root',
               os.path.join(self.target, 'e2e_%s-failed.png' % self.name), check=False)

    def find(self, title):
        found = self.wintool(title.strip('^$')).split()
        return found and [list(map(int, found))]
    def rect(self, title, framed):
        r = self.window(title)
        return r[:4] if framed else r[4:]
    def close(self, title):
        """Clicks the close box, on the title bar 12 pixels in from the frame's right edge."""
        (x, y, w, _), (cx, cy, _, _) = self.rect(title, True), self.rect(title, False)
        self.click(title, x + w - 12 - cx, (y - cy) // 2)
    def line(self, want):
        """The time left's box shows `want`: to the pixel, inside its frame, what a read-only
        text box of its face, colours and size shows with that text."""
        self.wintool('C:\\line.ppm', want, check=True)
        x, y, w, h = LINE
        drawn = Pixels(open(os.path.join(self.env['WINEPREFIX'], 'drive_c', 'line.ppm'), 'rb')
                       .read()).region(x - 8, y - 48, w, h)
        wait_for('the time left "%s", to the pixel' % want,
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
    WineDesktop.play()
