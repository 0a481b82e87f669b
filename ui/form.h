#pragma once
#include "ui/layout.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <span>

class QTimer;

namespace ui {

class Form;
class Label;

// The top-level widget of a loaded form; it forwards the window's events to the form.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(Form& form, Qt::WindowFlags flags);

    // Shows the window anew, in a new native window whose frame stands at `at`: for a
    // window manager that heeds a position only when a window appears.
    void appearAgainAt(QPoint at);

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    Form& m_form;
};

// A window with a lifecycle: load creates its widgets from the layout table, gives them
// the roles the rows name and runs Form_Load; show makes it visible (never a second copy);
// unload runs Form_Unload and destroys the widgets. Values held by the Form object itself
// outlive its widgets.
class Form : public QObject {
    Q_OBJECT
public:
    Form(const WindowLayout& window, std::span<const ControlRow> controls);
    ~Form() override;

    bool isLoaded() const { return m_window != nullptr; }
    void load();
    void show();
    void unload();

    // The loaded window, or nullptr.
    FormWindow* window() const { return m_window; }

    // The window's back colour, 0x00BBGGRR.
    quint32 backColor() const;
    void setBackColor(quint32 bgr);

    // A disabled window takes no input and keeps its look; its timers keep running.
    bool enabled() const;
    void setEnabled(bool enabled);

    // Position and outer size in twips.
    double left() const;
    double top() const;
    double outerWidth() const;
    double outerHeight() const;

    // The control of that name while the window is loaded, else nullptr. A name the
    // layout does not have, or a control of another kind, ends the program with a message.
    template <class T> T* control(const char* name) const
    {
        QObject* found = find(name);
        T* typed = qobject_cast<T*>(found);
        if (found && !typed)
            wrongKind(name);
        return typed;
    }
    QTimer* timer(const char* name) const;

signals:
    void loaded();
    void unloaded();

protected:
    // Runs after the controls exist and before Form_Load: the place to find controls and
    // connect their events.
    virtual void bindControls() { }
    virtual void Form_Load() { }
    virtual void Form_Unload() { }
    virtual void Form_Resize() { }
    virtual void Form_MouseMove() { }

    // Link labels: the row's hover colour while the pointer is over it, its resting
    // colour again when the pointer crosses the window's background.
    void hoverLink(Label* link);
    void restLinks();

private:
    friend class FormWindow;
    QObject* find(const char* name) const;
    [[noreturn]] void wrongKind(const char* name) const;

    const WindowLayout& m_layout;
    std::span<const ControlRow> m_controlRows;
    QPointer<FormWindow> m_window;
    QHash<QString, QObject*> m_controls;
    bool m_unloading = false;
};

} // namespace ui
