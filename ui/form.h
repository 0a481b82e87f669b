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

// The top-level widget of a loaded form; it forwards the window's events to the form.
class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(Form& form, Qt::WindowFlags flags);
protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
private:
    Form& m_form;
};

// A window with a lifecycle: load creates its widgets from the layout table and runs
// Form_Load; show makes it visible (never a second copy); unload runs Form_Unload and
// destroys the widgets. Values held by the Form object itself outlive its widgets.
class Form : public QObject {
    Q_OBJECT
public:
    Form(const WindowSpec& window, std::span<const ControlSpec> controls);
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

    // A disabled window takes no input; its timers keep running.
    bool enabled() const;
    void setEnabled(bool enabled);

    // Position and outer size in twips.
    double left() const;
    double top() const;
    double outerWidth() const;
    double outerHeight() const;
    void setLeft(double twips);
    void setTop(double twips);

    template <class T> T* control(const char* name) const
    {
        return qobject_cast<T*>(m_controls.value(QString::fromLatin1(name)));
    }
    QTimer* timer(const char* name) const;

signals:
    void loaded();
    void unloaded();

protected:
    // Runs after the controls exist and before Form_Load: the place to find controls and
    // connect their events.
    virtual void bindControls() {}
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}
    virtual void Form_MouseMove() {}
    // Called the first time the window is on screen with its frame.
    virtual void Form_Shown() {}

    void setTabOrder(std::initializer_list<const char*> names);

private:
    friend class FormWindow;
    void createControl(const ControlSpec& row);

    const WindowSpec& m_spec;
    std::span<const ControlSpec> m_controlSpecs;
    QPointer<FormWindow> m_window;
    QHash<QString, QObject*> m_controls;
    QList<QObject*> m_created; // in creation order
    bool m_unloading = false;
    bool m_shownOnce = false;
};

} // namespace ui
