#include "ui/form.h"

#include "ui/color.h"
#include "ui/controls.h"
#include "ui/lifetime.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QList>
#include <QTimer>

namespace ui {

namespace {

QList<Form*>& loadedForms()
{
    static QList<Form*> forms;
    return forms;
}

std::function<void()>& endHandler()
{
    static std::function<void()> handler = [] { QCoreApplication::exit(0); };
    return handler;
}

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
        return Qt::Tool | Qt::FramelessWindowHint;
    }
    return Qt::Window;
}

// Counts requests to end, so that a window which ended the program on its way out is not
// followed by a second end.
int& endRequests()
{
    static int requests = 0;
    return requests;
}

} // namespace

void endProgram()
{
    ++endRequests();
    endHandler()();
}

std::function<void()> setProgramEndHandler(std::function<void()> handler)
{
    std::function<void()> previous = endHandler();
    endHandler() = std::move(handler);
    return previous;
}

bool anyFormLoaded() { return !loadedForms().isEmpty(); }

FormWindow::FormWindow(Form& form, Qt::WindowFlags flags) : QWidget(nullptr, flags), m_form(form)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void FormWindow::closeEvent(QCloseEvent* e)
{
    // Like any disabled window, one waiting on a dialog ignores its close box. Requests
    // from the program or the session (log-off) still close it.
    if (!isEnabled() && e->spontaneous()) {
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

void FormWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_form.m_shownOnce) {
        m_form.m_shownOnce = true;
        m_form.Form_Shown();
    }
}

Form::Form(const WindowSpec& window, std::span<const ControlSpec> controls)
    : m_spec(window), m_controlSpecs(controls)
{
}

Form::~Form()
{
    loadedForms().removeAll(this);
    delete m_window.data();
}

void Form::load()
{
    if (m_window)
        return;
    m_window = new FormWindow(*this, flagsFor(m_spec.frame));
    FormWindow* w = m_window;
    w->setWindowTitle(QString::fromLatin1(m_spec.caption));
    w->setFont(makeFont(m_spec.font));
    w->setAutoFillBackground(true);
    setBackColor(m_spec.back);
    const QSize client(px(m_spec.clientWidth), px(m_spec.clientHeight));
    if (m_spec.frame == Frame::None)
        w->resize(client);
    else
        w->setFixedSize(client);

    m_controls.clear();
    m_created.clear();
    m_shownOnce = false;
    if (m_spec.stacking == StackOrder::FirstOnTop) {
        for (auto it = m_controlSpecs.rbegin(); it != m_controlSpecs.rend(); ++it)
            createControl(*it);
    } else {
        for (const ControlSpec& row : m_controlSpecs)
            createControl(row);
    }
    // Windowed controls always lie above the labels, lines and shapes.
    for (QObject* c : std::as_const(m_created)) {
        if (qobject_cast<TextBox*>(c) || qobject_cast<Button*>(c) || qobject_cast<ComboList*>(c)
            || qobject_cast<ProgressBar*>(c) || qobject_cast<Picture*>(c))
            static_cast<QWidget*>(c)->raise();
    }
    loadedForms().append(this);
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
    const int endRequestsBefore = endRequests();
    Form_Unload();
    FormWindow* w = m_window;
    // No tick may run once the window is gone.
    for (QTimer* t : w->findChildren<QTimer*>())
        t->stop();
    m_window = nullptr;
    m_controls.clear();
    m_created.clear();
    w->hide();
    // Destroyed once the handler that unloaded it has returned.
    w->deleteLater();
    loadedForms().removeAll(this);
    m_unloading = false;
    emit unloaded();
    if (!anyFormLoaded() && endRequests() == endRequestsBefore)
        endProgram();
}

quint32 Form::backColor() const
{
    return m_window ? vbColorOf(m_window->palette().color(QPalette::Window)) : 0;
}

void Form::setBackColor(quint32 bgr)
{
    if (!m_window)
        return;
    QPalette pal = m_window->palette();
    pal.setColor(QPalette::Window, vbColor(bgr));
    m_window->setPalette(pal);
}

bool Form::enabled() const { return m_window && m_window->isEnabled(); }

void Form::setEnabled(bool enabled)
{
    // Never brings back a window that has been unloaded.
    if (m_window)
        m_window->setEnabled(enabled);
}

double Form::left() const { return m_window ? twips(m_window->frameGeometry().x()) : 0.0; }
double Form::top() const { return m_window ? twips(m_window->frameGeometry().y()) : 0.0; }
double Form::outerWidth() const { return m_window ? twips(m_window->frameGeometry().width()) : 0.0; }
double Form::outerHeight() const
{
    return m_window ? twips(m_window->frameGeometry().height()) : 0.0;
}

void Form::setLeft(double value)
{
    if (m_window)
        m_window->move(px(value), m_window->frameGeometry().y());
}

void Form::setTop(double value)
{
    if (m_window)
        m_window->move(m_window->frameGeometry().x(), px(value));
}

QTimer* Form::timer(const char* name) const
{
    return qobject_cast<QTimer*>(m_controls.value(QString::fromLatin1(name)));
}

void Form::setTabOrder(std::initializer_list<const char*> names)
{
    QWidget* previous = nullptr;
    for (const char* name : names) {
        QWidget* w = control<QWidget>(name);
        if (!w)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void Form::createControl(const ControlSpec& row)
{
    QWidget* parent = m_window;
    QObject* made = nullptr;
    const QRect rect = pxRect(row.left, row.top, row.width, row.height);
    const QString text = QString::fromUtf8(row.text);
    auto place = [&](QWidget* w) {
        w->setGeometry(rect);
        w->setFont(makeFont(row.font.face ? row.font : m_spec.font));
    };

    switch (row.kind) {
    case Kind::Label: {
        auto* l = new Label(parent);
        place(l);
        l->setText(text);
        l->setAlignment(row.align);
        l->setWordWrap(row.wordWrap);
        l->setBackColor(row.back == kDefault ? m_spec.back : quint32(row.back));
        if (row.fore != kDefault)
            l->setForeColor(quint32(row.fore));
        l->setTransparent(row.transparent);
        made = l;
        break;
    }
    case Kind::TextBox: {
        auto* t = new TextBox(parent);
        place(t);
        t->setText(text);
        t->setTypedLimit(row.typedLimit);
        t->setAlignment(row.align);
        if (row.back != kDefault)
            t->setBackColor(quint32(row.back));
        made = t;
        break;
    }
    case Kind::Button: {
        auto* b = new Button(parent);
        place(b);
        b->setText(text);
        if (row.back != kDefault)
            b->setFaceColor(quint32(row.back));
        made = b;
        break;
    }
    case Kind::ComboList: {
        auto* c = new ComboList(parent);
        place(c);
        if (row.items)
            c->addItems(QString::fromUtf8(row.items).split(QLatin1Char('|')));
        c->setCurrentIndex(-1);
        if (row.back != kDefault)
            c->setBackColor(quint32(row.back));
        made = c;
        break;
    }
    case Kind::ProgressBar: {
        auto* p = new ProgressBar(parent);
        p->setGeometry(rect);
        made = p;
        break;
    }
    case Kind::Picture: {
        auto* p = new Picture(parent);
        p->setGeometry(rect);
        if (row.back != kDefault)
            p->setBackColor(quint32(row.back));
        made = p;
        break;
    }
    case Kind::Line:
        made = new Line(parent, row.left, row.top, row.width, row.height,
                        row.fore == kDefault ? 0u : quint32(row.fore), row.lineWidth);
        break;
    case Kind::Shape: {
        auto* s = new Shape(parent, row.fore == kDefault ? 0u : quint32(row.fore));
        s->setGeometry(rect);
        made = s;
        break;
    }
    case Kind::Timer: {
        auto* t = new QTimer(parent);
        // A coarse timer may drift by 5% and skip a displayed second.
        t->setTimerType(Qt::PreciseTimer);
        t->setInterval(row.interval);
        t->start();
        made = t;
        break;
    }
    }
    made->setObjectName(QString::fromLatin1(row.name));
    m_controls.insert(QString::fromLatin1(row.name), made);
    m_created.append(made);
}

} // namespace ui
