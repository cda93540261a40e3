#pragma once

// For the Qt Tests of the property pages: entering a text the way a user
// pastes it, finding a page's fields by their label, keeping a picture of
// what a test showed, and checking that a page is not clipped.
// Header-only, like ScriptedEditor.h.

#include <QAbstractButton>
#include <QApplication>
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
#include <QTest>
#include <QToolButton>
#include <QWidget>

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

// Chooses entry `index` of `combo` as a user does.
inline void ChooseEntry(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
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
    arrows[delta > 0 ? 0 : 1]->click();
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
