#pragma once

// For the Qt Tests of the property pages: entering a text the way a user
// pastes it, finding a page's fields by their label, keeping a picture of
// what a test showed, and checking that a page is not clipped.
// Header-only, like ScriptedEditor.h.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>
#include <QWidget>

// Shows `window` as the active window, as the user sees a window open.
inline void ShowActive(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
}

// Replaces the text of `edit` in one user edit (select all, paste): the
// edit's handlers see the whole new text at once.
inline void EnterText(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
        edit->del();
        return;
    }
    QApplication::clipboard()->setText(text);
    edit->paste();
}

// The field of `page` that stands beside the label `label` in a form.
template <class Field>
Field* FieldOf(QWidget* page, const QString& label)
{
    for (QFormLayout* form : page->findChildren<QFormLayout*>()) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* labelItem = form->itemAt(row, QFormLayout::LabelRole);
            QLayoutItem* fieldItem = form->itemAt(row, QFormLayout::FieldRole);
            auto* shown = labelItem ? qobject_cast<QLabel*>(labelItem->widget()) : nullptr;
            if (!shown || shown->text() != label || !fieldItem || !fieldItem->widget())
                continue;
            QWidget* widget = fieldItem->widget();
            if (auto* field = qobject_cast<Field*>(widget))
                return field;
            return widget->findChild<Field*>();
        }
    }
    return nullptr;
}

// The button (check box, radio button) of `page` that shows `text`.
template <class Button>
Button* ButtonOf(QWidget* page, const QString& text)
{
    for (Button* button : page->findChildren<Button*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// Clicks the arrow of `combo`, which opens its list.
inline void ClickComboArrow(QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.subControls = QStyle::SC_All;
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
}

// Walks the open `list` to `row` with the Down and Up keys, as far as they
// move; whether the row became current.
inline bool WalkListTo(QAbstractItemView* list, int row)
{
    for (int at = list->currentIndex().row(); at != row;) {
        const bool down = at < row;
        QTest::keyClick(list, down ? Qt::Key_Down : Qt::Key_Up);
        const int moved = list->currentIndex().row();
        if (moved == at || (down ? moved > row : moved < row))
            return false;
        at = moved;
    }
    return true;
}

// Chooses entry `index` of `combo` as a user does: a click on its arrow
// opens the list, the arrow keys walk to the entry and Enter chooses it; Qt
// closes the list before it reports the choice.
inline void ChooseEntry(QComboBox* combo, int index)
{
    ClickComboArrow(combo);
    QAbstractItemView* list = combo->view();
    QVERIFY2(list->isVisible(), "the list did not open");
    QVERIFY2(WalkListTo(list, index), "the entry cannot be reached");
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY2(!list->isVisible(), "the list stayed open");
}

// Clicks `button` with the mouse where it takes clicks: a check box or radio
// button on its box and text, any other button in its middle.
inline void ClickButton(QAbstractButton* button)
{
    QRect area = button->rect();
    const bool check = qobject_cast<QCheckBox*>(button) != nullptr;
    if (check || qobject_cast<QRadioButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        area = button->style()->subElementRect(check ? QStyle::SE_CheckBoxClickRect : QStyle::SE_RadioButtonClickRect,
                                               &option, button);
    }
    QTest::mouseClick(button, Qt::LeftButton, {}, area.center());
}

// Clicks the button of `dialog`'s button box that has `role`: the OK button
// (AcceptRole) or the Cancel button (RejectRole).
inline void ClickButtonOfRole(QWidget& dialog, QDialogButtonBox::ButtonRole role)
{
    for (auto* box : dialog.findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == role) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
    }
    QFAIL("the dialog has no button of that role");
}

inline void ClickOk(QWidget& dialog)
{
    ClickButtonOfRole(dialog, QDialogButtonBox::AcceptRole);
}

inline void ClickCancel(QWidget& dialog)
{
    ClickButtonOfRole(dialog, QDialogButtonBox::RejectRole);
}

// Clicks the up (delta > 0) or down arrow beside the number field `edit`.
inline void ClickArrow(QLineEdit* edit, int delta)
{
    const QList<QToolButton*> arrows = edit->parentWidget()->findChildren<QToolButton*>();
    ClickButton(arrows[delta > 0 ? 0 : 1]);
}

// Saves `widget` as PNG `name` in the "screenshots" folder beside the test.
inline bool SavePicture(QWidget* widget, const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    return QDir().mkpath(folder) && widget->grab().save(folder + QLatin1Char('/') + name, "PNG");
}

// Whether `page` is at least as large as its layout needs, so that no
// control of it is cut off.
inline bool ShowsWholeLayout(QWidget* page)
{
    const QSize needed = page->layout() ? page->layout()->minimumSize() : page->minimumSizeHint();
    return page->width() >= needed.width() && page->height() >= needed.height();
}

// The texts inside `root` that are shown cut off: visible labels, buttons
// and group-box titles narrower or lower than their text needs.
inline QStringList CutOffTexts(QWidget* root)
{
    QStringList cut;
    const auto check = [&cut](QWidget* widget, const QString& text, QSize needed) {
        if (!widget->isVisible() || text.isEmpty())
            return;
        if (widget->width() < needed.width() || widget->height() < needed.height())
            cut.append(QStringLiteral("%1 (%2x%3 of %4x%5)")
                           .arg(text)
                           .arg(widget->width())
                           .arg(widget->height())
                           .arg(needed.width())
                           .arg(needed.height()));
    };
    for (QLabel* label : root->findChildren<QLabel*>())
        check(label, label->text(), label->sizeHint());
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        check(button, button->text(), button->sizeHint());
    for (QGroupBox* group : root->findChildren<QGroupBox*>())
        check(group, group->title(), group->minimumSizeHint());
    return cut;
}
