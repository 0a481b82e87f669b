"""The end-to-end scenarios: each a screen (desktop: 'xvfb', 'xwayland', 'wayland' or None; wm:
openbox on it), a clock and steps (verb, arguments...), the verbs being the drivers' methods;
positions are client pixels at scale 1."""

MAIN, DIALOG, ABOUT = '^Tasselday - by Quillerby$', '^Advanced Options$', '^About Tasselday$'
DONE, MSGBOX = "^CONGRATULATIONS CLASS OF '06 !!!$", '^Tasselday$'
APP_ID = '"io.github.tasselday.Tasselday"'  # its X11 class, or its Wayland app id
AT_0930 = ('11 Weeks, 4 Days, 8 Hours, 29 Minutes, 45 Seconds!', 'School Year Completed: 71.36702%')
FROZEN_0930 = '2006-03-15 09:30:15'  # no '@': the clock stands still, so every text is known
# Three double-clicks on the hidden square in one go: a pause of 2 s would start them over.
GESTURE = ('click', MAIN, 400, 134, 2) + ('sleep', '0.15', 'click', '--repeat', '2', '--delay',
                                          '60', '1') * 2
HOUR_9 = [('focus', DIALOG, 'text'), ('key', 'End', 'BackSpace', 'BackSpace', '9'),
          ('shows', DIALOG, '9')]  # the hour box is the dialog's first text box
DIGITS_2 = [('focus', DIALOG, 'text', 'Percent digits'), ('key', 'End', 'BackSpace', '2'),
            ('shows', DIALOG, '2')]
PRESS = lambda button: [('focus', DIALOG, 'push button', button), ('key', 'Return')]  # noqa
ABOUT_BOX = [('click', MAIN, 204, 128), ('place', ABOUT, 'client', 156, 129)]
ABOUT_FACE, SYSINFO = ('face', ABOUT, 283, 200, 84, 23), ('click', ABOUT, 325, 243)
CLOSE_ALL = [('close', ABOUT), ('gone', ABOUT), ('close', MAIN), ('exit',)]
# The hand-over at 18:00:00 by itself, the colour cycle, the "X".
HANDOVER = [('place', DONE, 'full'), ('gone', MAIN), ('cycle',), ('face', DONE, 1008, 1, 16, 17)]
# At fractional scales on 1366x768, started again at each; RandR then resizes the screen under it.
SCALES = dict(clock=FROZEN_0930, scale=1.5, size=(1366, 768), steps=[
    ('place', MAIN, 'top-right'), *[s for scale in (1.75, 1.25) for s in (
        ('close', MAIN), ('exit',), ('launch', scale), ('place', MAIN, 'top-right'))],
    ('monitor', 1111, 768), ('place', MAIN, 'top-right'), ('close', MAIN), ('exit',)])
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
        ('place', MAIN, 'top-right'), *ABOUT_BOX, ('close', ABOUT), ('gone', ABOUT), GESTURE,
        ('place', DIALOG, 'centred'), ('click', DIALOG, 156, 208), ('place', DONE, 'full'),
        ('click', DONE, 955, 732), ('exit',)]),
    # A running clock, stepped: the countdown quiet without the focus, every second shown.
    'about': dict(wm=True, clock='@2006-03-15 09:30:15', stepped=True, steps=[
        ('place', MAIN, 'top-right'), *ABOUT_BOX, ('focus', ABOUT, 'push button'), ('quiet', 3),
        ('bar', MAIN), ('seconds', '2006-03-15 08:00:00', '2006-03-15 12:00:00',
                        '2006-06-01 18:00:00'), ('named', ABOUT), ABOUT_FACE,
        ('shot', ABOUT, 'about'), SYSINFO,
        ('shows', MSGBOX, 'System Information Is Unavailable At This Time'), ('key', 'Return'),
        ('gone', MSGBOX), *CLOSE_ALL]),
    # The natural hand-over a few seconds before the ceremony; left off the taskbar.
    'handover': dict(wm=True, clock='@2006-06-04 17:59:57', steps=[
        *HANDOVER, ('named', DONE), ('shot', DONE, 'celebration'),
        ('says', DONE, '_NET_WM_STATE', '_NET_WM_STATE_SKIP_TASKBAR', '_NET_WM_STATE_SKIP_PAGER'),
        ('click', DONE, 1016, 9), ('exit',)]),
    # No display that answers: DISPLAY unset, empty, or naming no server; no WAYLAND_DISPLAY.
    'no_display': dict(desktop=None, steps=[('refused', d) for d in (None, '', '?')]),
    # Flush to the device pixel, with openbox and with no window manager.
    'scales_openbox': dict(wm=True, **SCALES), 'scales_nowm': dict(wm=False, **SCALES),
    # Weston's Xwayland, which reports no frames: the main window inside the screen.
    'weston_x11': dict(desktop='xwayland', clock='@2006-06-04 17:59:55', steps=[
        ('seen', 'inside'), ('says', MAIN, 'WM_CLASS', APP_ID), ('covered',), ('gone', MAIN),
        ('alive', 1), ('press', DONE, 'push button', 'Close'), ('exit',)]),
    # Native Wayland, DISPLAY dead: the main window where weston puts it, the ending full-screen.
    'weston_native': dict(desktop='wayland', clock='@2006-06-04 17:59:55', steps=[
        ('seen', 'anywhere'), ('says', MAIN, None, 'set_app_id(%s)' % APP_ID), ('covered',),
        ('alive', 2), ('press', DONE, 'push button', 'Close'), ('exit',)]),
    # Everything doubled: a 2048x1536 screen at QT_SCALE_FACTOR=2.
    'scale2': dict(wm=True, clock=FROZEN_0930, scale=2, steps=[
        ('place', MAIN, 'top-right'), *ABOUT_BOX, ('key', 'Escape'), ('gone', ABOUT), GESTURE,
        ('place', DIALOG, 'centred'), *PRESS('Jump to the Ending'), ('place', DONE, 'full'),
        ('close', DONE), ('exit',)]),
}
# The installed tasselday.exe under Wine (tests/windows/e2e.py).
WINE = {
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
                         ('window', 'About System Information'), *CLOSE_ALL]),
    # No tool in the registry: the message box; then the jump to the ending, closed by Alt+F4.
    'sysinfo': dict(clock=FROZEN_0930, tool='', steps=[
        ABOUT_BOX[0], SYSINFO, ('window', MSGBOX), ('key', 'Return'), ('gone', MSGBOX), GESTURE,
        ('click', DIALOG, 156, 208), ('place', DONE, 'full'), ('gone', MAIN), ('key', 'alt+F4'),
        ('exit',)]),
    'celebration': dict(clock='@2006-06-04 17:59:57', steps=[
        *HANDOVER, ('shot', DONE, 'windows-celebration'), ('click', DONE, 1016, 9), ('exit',)]),
}
