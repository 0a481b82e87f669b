#include "ui/form.h"

#include "ui/color.h"
#include "ui/controlfactory.h"
#include "ui/controls.h"
#include "ui/formroles.h"
#include "ui/lifetime.h"
#include "ui/nativeframes.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QTimer>

namespace ui {

namespace {

Qt::WindowFlags flagsFor(Frame frame)
{
    const Qt::WindowFlags titled = Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (frame) {
    case Frame::FixedSingle:
        return Qt::Window | titled | Qt::WindowMinimizeButtonHint;
    case Frame::FixedDialog:
        return Qt::Window | titled;
    case Frame::FixedToolDialog:
        // A tool window gets no taskbar button on Windows and X11 alike.
        return Qt::Tool | titled;
    case Frame::None:
        // Unless the window system has a hint for it (see Form::load).
        return Qt::Tool | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

} // namespace

FormWindow::FormWindow(Form& form, Qt::WindowFlags flags) : QWidget(nullptr, flags), m_form(form)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::appearAgainAt(QPoint at)
{
    const bool shown = isVisible();
    hide();
    destroy();
    move(at); // not created yet: the frame's place
    if (!shown)
        return;
    show();
    activateWindow();
}

void FormWindow::closeEvent(QCloseEvent* e)
{
    // Like any disabled window, one waiting on a dialog ignores its close box. Requests
    // from the program or the session (log-off) still close it.
    if (!m_form.enabled() && e->spontaneous()) {
        e->ignore();
        return;
    }
    e->ignore(); // unload hides and destroys the window itself
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
    m_form.restLinks();
}

Form::Form(const WindowLayout& window) : m_layout(window) { }

Form::~Form()
{
    forgetForm(this);
    delete m_window.data();
}

void Form::load()
{
    if (m_window)
        return;
    m_window = new FormWindow(*this, flagsFor(m_layout.frame));
    FormWindow* w = m_window;
    if (m_layout.frame == Frame::None && nativeFrames()) {
        // Still without a native window: a change of type costs nothing yet.
        w->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        if (!nativeFrames()->keepOffTaskbar(w))
            w->setWindowFlags(flagsFor(m_layout.frame));
    }
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
    setBackColor(m_layout.back);
    const QSize client(px(m_layout.clientWidth), px(m_layout.clientHeight));
    if (m_layout.frame == Frame::None)
        w->resize(client);
    else
        w->setFixedSize(client);

    m_made.clear();
    createControls();
    // Set once the controls have fonts of their own: a text box lays out its text as it is
    // made, so one made under the window's font would load that font (often drawn by none).
    w->setFont(makeFont(m_layout.font));
    applyStacking(m_layout, m_made);
    applyTabOrder(m_made);
    new KeyRoles(w, m_made);
    (new PlacementKeeper(w, m_layout))->place();

    noteFormLoaded(this);
    bindControls();
    Form_Load();
    emit loaded();
}

void Form::show()
{
    load();
    if (!m_window)
        return;
    m_window->show();
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
    m_made.clear();
    forgetControls();
    w->hide();
    // Destroyed once the handler that unloaded it has returned.
    w->deleteLater();
    m_unloading = false;
    emit unloaded();
    noteFormUnloaded(this, endRequestsBefore);
}

quint32 Form::backColor() const
{
    return m_window ? toBgr(m_window->palette().color(QPalette::Window)) : 0;
}

void Form::setBackColor(quint32 bgr)
{
    if (!m_window)
        return;
    QPalette pal = m_window->palette();
    pal.setColor(QPalette::Window, fromBgr(bgr));
    m_window->setPalette(pal);
}

bool Form::enabled() const { return m_window && m_window->isEnabled(); }

void Form::setEnabled(bool enabled)
{
    // Never brings back a window that has been unloaded.
    if (m_window)
        m_window->setEnabled(enabled);
}

QObject* Form::makeControl(Kind kind, const char* name, const ControlRow& row)
{
    QObject* made = createControl(m_window, m_layout, kind, name, row);
    m_made.push_back({kind, &row, made});
    if (auto* link = qobject_cast<Label*>(made); link && row.hoverFore != kDefault)
        connect(link, &Label::mouseMoved, this, [this, link] { hoverLink(link); });
    return made;
}

const ControlRow* Form::rowOf(const QObject* control) const
{
    for (const MadeControl& made : m_made)
        if (made.object == control)
            return made.row;
    return nullptr;
}

void Form::hoverLink(Label* link)
{
    if (const ControlRow* row = rowOf(link); row && row->hoverFore != kDefault)
        link->setForeColor(quint32(row->hoverFore));
}

void Form::restLinks()
{
    for (const MadeControl& made : m_made)
        if (made.row->hoverFore != kDefault)
            if (auto* link = qobject_cast<Label*>(made.object))
                link->setForeColor(quint32(made.row->fore));
}

} // namespace ui
