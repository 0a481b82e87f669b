#include "ui/form.h"

#include "ui/color.h"
#include "ui/controlfactory.h"
#include "ui/controls.h"
#include "ui/formroles.h"
#include "ui/inputblock.h"
#include "ui/lifetime.h"
#include "ui/nativeframes.h"
#include "ui/placement.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QTimer>

#include <cstring>

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
    m_form.Form_MouseMove();
}

Form::Form(const WindowLayout& window, std::span<const ControlRow> controls)
    : m_layout(window), m_controlRows(controls)
{
}

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
    setBackColor(m_layout.back);
    const QSize client(px(m_layout.clientWidth), px(m_layout.clientHeight));
    if (m_layout.frame == Frame::None)
        w->resize(client);
    else
        w->setFixedSize(client);

    m_controls.clear();
    for (const ControlRow& row : m_controlRows)
        m_controls.insert(QString::fromLatin1(row.name), createControl(w, m_layout, row));
    // Set once the controls have fonts of their own: a text box lays out its text as it is
    // made, so one made under the window's font would load that font (often drawn by none).
    w->setFont(makeFont(m_layout.font));
    applyStacking(m_layout, m_controlRows, m_controls);
    applyTabOrder(m_controlRows, m_controls);
    new KeyRoles(w, m_controlRows, m_controls);
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
    m_controls.clear();
    setInputBlocked(w, false);
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

bool Form::enabled() const { return m_window && !isInputBlocked(m_window); }

void Form::setEnabled(bool enabled)
{
    // Never brings back a window that has been unloaded.
    if (m_window)
        setInputBlocked(m_window, !enabled);
}

double Form::left() const { return m_window ? twips(m_window->frameGeometry().x()) : 0.0; }
double Form::top() const { return m_window ? twips(m_window->frameGeometry().y()) : 0.0; }
double Form::outerWidth() const
{
    return m_window ? twips(m_window->frameGeometry().width()) : 0.0;
}
double Form::outerHeight() const
{
    return m_window ? twips(m_window->frameGeometry().height()) : 0.0;
}

QTimer* Form::timer(const char* name) const { return control<QTimer>(name); }

QObject* Form::find(const char* name) const
{
    for (const ControlRow& row : m_controlRows)
        if (std::strcmp(row.name, name) == 0)
            return m_controls.value(QString::fromLatin1(name));
    qFatal("Window \"%s\" has no control named \"%s\"", m_layout.caption, name);
}

void Form::wrongKind(const char* name) const
{
    qFatal("Control \"%s\" of window \"%s\" is of another kind", name, m_layout.caption);
}

void Form::hoverLink(Label* link)
{
    for (const ControlRow& row : m_controlRows)
        if (row.hoverFore != kDefault && link->objectName() == QLatin1String(row.name))
            link->setForeColor(quint32(row.hoverFore));
}

void Form::restLinks()
{
    for (const ControlRow& row : m_controlRows)
        if (row.hoverFore != kDefault)
            if (auto* link = control<Label>(row.name))
                link->setForeColor(quint32(row.fore));
}

} // namespace ui
