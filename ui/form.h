#pragma once
#include "ui/layout.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <span>
#include <vector>

namespace ui {

class Form;

// Makes one control of `kind` on `window` with the row's text, place, colours, font, pointer,
// accessible name and link colours.
QObject* createControl(QWidget* window, const WindowLayout& form, Kind kind, const ControlRow& row);

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
    void keyPressEvent(QKeyEvent* e) override;

private:
    Form& m_form;
};

// A window with a lifecycle: load creates its widgets from the layout table in the rows'
// order, gives them the roles the rows name, runs Form_Load and fits each label's text; show
// makes it visible (never a second copy), and once active the first control in Tab order
// takes the focus (Qt's own rule); unload runs Form_Unload and destroys the widgets. Values
// held by the Form object itself outlive its widgets. Windows derive from FormOf, which hands
// them their controls typed.
class Form : public QObject {
    Q_OBJECT
public:
    explicit Form(const WindowLayout& window);
    ~Form() override;

    bool isLoaded() const { return m_window != nullptr; }
    void load();
    void show();
    void unload();

    // The loaded window, or nullptr.
    FormWindow* window() const { return m_window; }

    // A disabled window takes no input, a screen reader hears its controls as disabled, and
    // it keeps its look; its timers keep running.
    void setEnabled(bool enabled);

signals:
    void loaded();
    void unloaded();

protected:
    // Makes the controls of the rows, through createControl.
    virtual void createControls() = 0;
    virtual void forgetControls() = 0;

    // Runs once the controls exist: the place to connect their events too.
    virtual void Form_Load() { }
    virtual void Form_Unload() { }
    virtual void Form_Resize() { }

    const WindowLayout& m_layout;

private:
    friend class FormWindow;

    QPointer<FormWindow> m_window;
    bool m_unloading = false;
    bool m_mapFirst = false; // loading to show: texts are fitted once the window is mapped
};

// A window whose controls are the members of `C`, made from its rows: `c.lblTimeLeft`.
template <class C> class FormOf : public Form {
public:
    FormOf(const WindowLayout& window, std::span<const Row<C>> rows)
        : Form(window), m_rows(rows) { }
    // The typed controls while the window is loaded; all null otherwise.
    const C& controls() const { return c; }

protected:
    // The row a control was made from: the controls are made one to a row, in order.
    const ControlRow& rowOf(const QObject* control) const
    {
        return m_rows[std::ranges::find(m_made, control) - m_made.begin()].look;
    }

    C c {};

private:
    void createControls() override
    {
        for (const Row<C>& row : m_rows) {
            QObject* made = createControl(window(), m_layout, row.control.kind, row.look);
            made->setObjectName(QLatin1String(row.control.name));
            if (row.control.store)
                row.control.store(c, made);
            m_made.push_back(made);
        }
    }
    void forgetControls() override
    {
        c = {};
        m_made.clear();
    }

    std::span<const Row<C>> m_rows;
    std::vector<const QObject*> m_made; // while loaded, the control of each row
};

} // namespace ui
