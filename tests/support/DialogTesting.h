#pragma once

// For the Qt Tests of the dialogs: reaching a control by its object name
// and choosing a list entry the way the user does. Header-only, like
// PageTesting.h.

#include <QComboBox>
#include <QString>
#include <QtTest>

// The control of `dialog` named `name`; the test stops when there is none.
template <class Widget>
Widget* NamedChild(QObject& dialog, const QString& name)
{
    auto* widget = dialog.findChild<Widget*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

// Selects the entry `text` of `combo` and reports it as the user's choice.
inline void ChooseText(QComboBox* combo, const QString& text)
{
    const int index = combo->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}
