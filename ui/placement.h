#pragma once
#include "ui/layout.h"

#include <QObject>
#include <QSize>

namespace ui {

class FormWindow;

// Keeps a window where its layout's placement puts it on the primary screen. A window
// manager frames a window only after it is shown, and its frame extents may arrive later
// still or change with its theme: the window is placed again whenever its frame becomes
// known or changes, and when the screens change (resized, unplugged, another primary),
// never after a guessed delay. Moves by the user leave it where it is.
//
// Where the window system is at hand (X11) the frame is placed to the device pixel through
// it; elsewhere through Qt, in logical pixels. On Wayland the compositor places every
// window, and the window that covers the screen asks for the full-screen state.
class PlacementKeeper : public QObject {
    Q_OBJECT
public:
    PlacementKeeper(FormWindow* window, const WindowLayout& windowLayout);

    // Places the window, loaded but not shown yet, where its frame will go.
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Places it again if it is not where it belongs (its frame or the screens changed), once
    // the window system's pending events have been taken in.
    void queueCheck();
    void frameMayHaveChanged();
    void placeNatively();
    void cover();
    void placeAfresh(); // shown, or the screens changed

    FormWindow* m_window;
    const WindowLayout& m_layout;
    QSize m_placedFrame; // the frame the last placement knew: its window system's, else Qt's
    bool m_placedFramed = false; // and whether a window manager had put the window in it yet
    bool m_shownPlaced = false; // placed since it was shown or the screens changed
    bool m_checkQueued = false;
    int m_tries = 0; // covers asked for since the window was shown or the screens changed
    bool m_remade = false; // given a new native window once, for a window manager that
                           // heeds a position only when a window appears
};

} // namespace ui
