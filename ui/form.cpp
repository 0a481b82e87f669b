#include "ui/form.h"

#include "ui/controls.h"
#include "ui/lifetime.h"
#include "ui/nativeframes.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include <utility>

namespace ui {

namespace {

// The forms loaded now: the program ends when the last one is unloaded.
int loadedForms = 0;

Qt::WindowFlags flagsFor(Frame frame)
{
    const Qt::WindowFlags titled = Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (frame) {
    case Frame::FixedSingle:
        return Qt::Window | titled | Qt::WindowMinimizeButtonHint;
    case Frame::FixedToolDialog:
        // A tool window gets no taskbar button on Windows and X11 alike.
        return Qt::Tool | titled;
    case Frame::None:
        return Qt::Window | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

// The faces standing in for a layout's own may be wider than those: each label's text, as
// the window was loaded with it, takes smaller type until it fits.
void fitTexts(QWidget* window)
{
    for (Label* l : window->findChildren<Label*>())
        l->fitText();
}

} // namespace

FormWindow::FormWindow(Form& form, Qt::WindowFlags flags) : QWidget(nullptr, flags), m_form(form)
{
    setMouseTracking(true);
}

void FormWindow::appearAgainAt(QPoint at)
{
    hide();
    destroy();
    move(at); // not created yet: the frame's place
    show();
    activateWindow();
}

void FormWindow::closeEvent(QCloseEvent* e)
{
    e->ignore(); // unload hides and destroys the window itself
    // Like any disabled window, one waiting on a dialog ignores its close box. Requests
    // from the program or the session (log-off) still close it.
    if (isEnabled() || !e->spontaneous())
        m_form.unload();
}

void FormWindow::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    m_form.Form_Resize();
}

void FormWindow::mouseMoveEvent(QMouseEvent* e)
{
    QWidget::mouseMoveEvent(e);
    for (Label* link : findChildren<Label*>())
        link->rest();
}

// Enter and Escape as a dialog takes them: a focused button takes Enter itself; otherwise
// Enter presses the default button and Escape the cancel button, whatever has the focus.
// Keys reach the window only when the focused control left them alone.
void FormWindow::keyPressEvent(QKeyEvent* e)
{
    const bool plain
        = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const bool enter = plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter);
    const bool escape = plain && e->key() == Qt::Key_Escape;
    QAbstractButton* pressed = enter ? qobject_cast<QAbstractButton*>(focusWidget()) : nullptr;
    for (Button* b : findChildren<Button*>()) {
        if (!pressed && ((enter && b->isDefault()) || (escape && b->property(kCancels).toBool())))
            pressed = b;
    }
    if (pressed)
        pressed->click();
    else
        QWidget::keyPressEvent(e);
}

Form::Form(const WindowLayout& window) : m_layout(window) { }

Form::~Form()
{
    // Goes for good: the window with it, ending nothing.
    if (m_window)
        --loadedForms;
    delete m_window.data();
}

void Form::load()
{
    if (m_window)
        return;
    m_window = new FormWindow(*this, flagsFor(m_layout.frame));
    FormWindow* w = m_window;
    // No frame, no taskbar button: by the window system's hint where it has one, otherwise as
    // a tool window (still without a native window, a change of type costs nothing).
    if (m_layout.frame == Frame::None && !(nativeFrames() && nativeFrames()->keepOffTaskbar(w)))
        w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    w->setWindowTitle(QString::fromLatin1(m_layout.caption));
    w->setAutoFillBackground(true);
    // A window waiting on a dialog is disabled, and must look as it does when enabled: its
    // controls inherit a disabled group equal to the active one. Colours the controls set
    // themselves they set for every group.
    QPalette pal = w->palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        if (role != QPalette::NoRole)
            pal.setBrush(QPalette::Disabled, QPalette::ColorRole(role),
                pal.brush(QPalette::Active, QPalette::ColorRole(role)));
    w->setPalette(pal);
    setRoleColor(w, QPalette::Window, m_layout.back);
    const QSize client(px(m_layout.clientWidth), px(m_layout.clientHeight));
    if (m_layout.frame == Frame::None)
        w->resize(client);
    else
        w->setFixedSize(client);

    createControls();
    // Set once the controls have fonts of their own: a text box lays out its text as it is
    // made, so one made under the window's font would load that font (often drawn by none).
    w->setFont(makeFont(m_layout.font));
    (new PlacementKeeper(w, m_layout))->place();

    ++loadedForms;
    Form_Load();
    if (!m_mapFirst)
        fitTexts(w);
    emit loaded();
}

void Form::show()
{
    // A window loaded to be shown is mapped before its texts are fitted: the window system
    // maps it while its faces load, and its first frame still shows them fitted.
    m_mapFirst = !m_window;
    load();
    m_window->show();
    if (std::exchange(m_mapFirst, false))
        fitTexts(m_window);
    m_window->raise();
    m_window->activateWindow();
}

void Form::unload()
{
    if (!m_window || m_unloading)
        return;
    m_unloading = true;
    const int endRequestsBefore = endRequestCount();
    Form_Unload();
    FormWindow* w = m_window;
    // No tick may run once the window is gone.
    for (QTimer* t : w->findChildren<QTimer*>())
        t->stop();
    m_window = nullptr;
    forgetControls();
    w->hide();
    // Destroyed once the handler that unloaded it has returned.
    w->deleteLater();
    m_unloading = false;
    emit unloaded();
    // Unless the window ended the program on its way out.
    if (--loadedForms == 0 && endRequestCount() == endRequestsBefore)
        endProgram();
}

void Form::setEnabled(bool enabled)
{
    // Never brings back a window that has been unloaded.
    if (m_window)
        m_window->setEnabled(enabled);
}

} // namespace ui
