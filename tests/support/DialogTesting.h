#pragma once

// For the Qt Tests of the editor's dialogs: running a dialog's command with
// the dialog shown and active, reaching its controls by object name,
// choosing in its combos as a user does, pressing a grid's cells.
// Header-only, like PageTesting.h.

#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "widgets/CElementNameCombo.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTableWidget>
#include <QTest>
#include <QtTest>

#include <algorithm>
#include <functional>

// Runs `command`; `script` works in the modal dialog it opens, shown and
// active. Returns whether the dialog ended with OK.
template <class Dialog>
bool RunDialogCommand(ScriptedEditor& editor, int command, const std::function<void(Dialog&)>& script)
{
    bool accepted = false;
    editor.ui->dialogs.push_back([&](QDialog& dialog) {
        ShowActive(dialog);
        script(dynamic_cast<Dialog&>(dialog));
        accepted = dialog.result() == QDialog::Accepted && !dialog.isVisible();
        return dialog.result();
    });
    editor.frame->ExecuteCommand(command);
    return accepted;
}

// The control of `dialog` named `name`; the test stops when there is none.
template <class Widget>
Widget* NamedChild(const QObject& dialog, const QString& name)
{
    auto* widget = dialog.findChild<Widget*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

// Chooses the item `text` of a list combo with the mouse, in its list.
inline bool ChooseItem(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    if (index < 0)
        return false;
    ChooseEntry(combo, index);
    return true;
}

// As ChooseItem; the test fails when the combo has no such item.
inline void ChooseText(QComboBox* combo, const QString& text)
{
    QVERIFY2(ChooseItem(combo, text), qPrintable(text));
}

// Opens the name combo's list, highlights `text` and presses Enter on it.
inline bool ChooseName(CElementNameCombo* combo, const QString& text)
{
    combo->showPopup();
    const int index = combo->findText(text);
    if (index < 0) {
        combo->hidePopup();
        return false;
    }
    combo->view()->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    return !combo->IsListOpen();
}

// Clicks the item `text` in the open list of `combo`, after moving the mouse
// onto it; Qt closes the list and then reports the item. False when the list
// is not open or has no such item.
inline bool ClickListItem(QComboBox* combo, const QString& text)
{
    QAbstractItemView* list = combo->view();
    const int row = combo->findText(text);
    if (!list->isVisible() || row < 0)
        return false;
    const QModelIndex item = combo->model()->index(row, 0);
    list->scrollTo(item);
    const QPoint centre = list->visualRect(item).center();
    QTest::mouseMove(list->viewport(), centre);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    return !list->isVisible();
}

// Picks the item `text` of `combo`'s list with the mouse: a click on the
// arrow opens the list, a click on the item picks it.
inline bool PickWithMouse(QComboBox* combo, const QString& text)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.subControls = QStyle::SC_All;
    const QRect arrow =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    return ClickListItem(combo, text);
}

// Picks the item `text` of `combo`'s list with the keyboard: F4 opens the
// list, the arrow keys move to the item and Return picks it.
inline bool PickWithKeys(QComboBox* combo, const QString& text)
{
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* list = combo->view();
    const int row = combo->findText(text);
    if (!list->isVisible() || row < 0)
        return false;
    const int from = list->currentIndex().row();
    for (int at = from; at < row; ++at)
        QTest::keyClick(list, Qt::Key_Down);
    for (int at = std::max(from, 0); at > row; --at)
        QTest::keyClick(list, Qt::Key_Up);
    if (list->currentIndex().row() != row)
        return false;
    QTest::keyClick(list, Qt::Key_Return);
    return !list->isVisible();
}

// The centre of a cell, in the grid's viewport.
inline QPoint CellCentre(const QTableWidget* grid, int row, int column)
{
    return {grid->columnViewportPosition(column) + grid->columnWidth(column) / 2,
            grid->rowViewportPosition(row) + grid->rowHeight(row) / 2};
}

inline void PressCell(QTableWidget* grid, int row, int column)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
}

// Chooses `action` from the menu bar of `window` with the mouse: a click on
// the title of its menu, then one on the item in the menu that opens.
inline void ChooseFromMenuBar(QWidget& window, QAction* action)
{
    auto* bar = window.findChild<QMenuBar*>();
    QVERIFY(bar && action);
    for (QAction* title : bar->actions()) {
        QMenu* menu = title->menu();
        if (!menu || !menu->actions().contains(action))
            continue;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(title).center());
        QVERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        return;
    }
    QFAIL("the action is in no menu of the bar");
}
