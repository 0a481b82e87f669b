#pragma once
// Shared by the options dialog tests: opens the dialog the way a user does and reaches its
// controls and the main window's display.
#include "app/frmtasselday.h"
#include "options/frmadvopt.h"
#include "support/testforms.h"
#include "ui/controls.h"
#include "ui/datevalue.h"

#include <QtTest>

namespace optionsTest {

inline constexpr double kBuiltInCeremony = 38872.75; // 4 June 2006 18:00:00

inline ui::TextBox* box(TestForms& t, const char* name)
{
    return t.forms.frmAdvOpt().control<ui::TextBox>(name);
}
inline ui::ComboList* amPm(TestForms& t)
{
    return t.forms.frmAdvOpt().control<ui::ComboList>("comboSetTime_AMPM");
}
inline QString display(TestForms& t)
{
    return t.forms.frmTasselday().control<ui::TextBox>("txtDisplay")->text();
}

// The main window on screen, then the hidden square's three double-clicks.
inline bool openByGesture(TestForms& t)
{
    auto& main = t.forms.frmTasselday();
    main.show();
    if (!QTest::qWaitForWindowExposed(main.window()))
        return false;
    for (int i = 0; i < 3; ++i)
        QTest::mouseDClick(main.control<ui::Label>("lblSet"), Qt::LeftButton);
    FrmAdvOpt& dialog = t.forms.frmAdvOpt();
    return dialog.isLoaded() && QTest::qWaitForWindowExposed(dialog.window());
}

// Keys go to whatever has the focus, so the dialog must be the active window.
inline bool activate(TestForms& t)
{
    QWidget* w = t.forms.frmAdvOpt().window();
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// Like a user: select what is in the box, then type over it.
inline void typeInto(ui::TextBox* b, const QString& text)
{
    b->setFocus();
    b->selectAll();
    if (text.isEmpty())
        QTest::keyClick(b, Qt::Key_Delete);
    else
        QTest::keyClicks(b, text);
}

inline void typeTime(TestForms& t, const QString& h, const QString& m, const QString& s)
{
    typeInto(box(t, "txtSetTime_Hours"), h);
    typeInto(box(t, "txtSetTime_Minutes"), m);
    typeInto(box(t, "txtSetTIme_Seconds"), s);
}

inline void press(TestForms& t, const char* name)
{
    QTest::mouseClick(t.forms.frmAdvOpt().control<ui::Button>(name), Qt::LeftButton);
}

} // namespace optionsTest
