#pragma once
#include "ui/layout.h"

#include <QMargins>
#include <QObject>

class QWidget;

namespace ui {

// Keeps a window where its layout's placement puts it on the primary screen. A window
// manager frames a window only after it is shown, and its frame extents may arrive later
// still or change with its theme: the window is placed again whenever its frame becomes
// known or changes, never after a guessed delay. Moves by the user leave it where it is.
class PlacementKeeper : public QObject {
    Q_OBJECT
public:
    PlacementKeeper(QWidget* window, const WindowLayout& windowLayout);
    ~PlacementKeeper() override;

    // Places the window now.
    void place();
    // Places it again if its frame has changed since it was last placed.
    void frameMayHaveChanged();
    // The same, once the window system's pending events have been taken in.
    void queueCheck();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    const WindowLayout& m_layout;
    QMargins m_placedWith; // the frame the last placement knew
    bool m_shownPlaced = false;
    bool m_checkQueued = false;
    int m_coverTries = 0;
};

} // namespace ui
