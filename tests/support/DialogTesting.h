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
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QTableWidget>
#include <QTest>
#include <QtTest>

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

// Chooses the item `text` of a list combo as ChooseEntry does: the mouse
// opens its list, the keys walk to the item and pick it.
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
    ClickComboArrow(combo);
    return ClickListItem(combo, text);
}

// Picks the item `text` of `combo`'s list with the keyboard: F4 opens the
// list, the arrow keys move to the item and Return picks it. Escape closes
// the list again when it has no such item.
inline bool PickWithKeys(QComboBox* combo, const QString& text)
{
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* list = combo->view();
    if (!list->isVisible())
        return false;
    const int row = combo->findText(text);
    if (row < 0 || !WalkListTo(list, row)) {
        QTest::keyClick(list, Qt::Key_Escape);
        return false;
    }
    QTest::keyClick(list, Qt::Key_Return);
    return !list->isVisible();
}

// Picks `text` in the name combo's list with the keys, as PickWithKeys
// does; true when the list closed on it.
inline bool ChooseName(CElementNameCombo* combo, const QString& text)
{
    return PickWithKeys(combo, text) && !combo->IsListOpen();
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
