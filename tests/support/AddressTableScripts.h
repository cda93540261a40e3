#pragma once

// For the Qt Tests that fill the address-table editor: scripts for its
// new-group and new-element dialogs, as ScriptedGuiUserInterface runs them,
// each filling its dialog as a user does and pressing OK. Header-only.

#include "devices/ui/CNewElementDlg.h"
#include "devices/ui/CNewGroupDlg.h"
#include "support/PageTesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <functional>

inline void Type(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Scripts for the editor's dialogs: each fills its dialog and presses OK.
inline std::function<int(QDialog&)> NewGroup(QString name, int typeItem, int answer, bool writesSingle = false)
{
    return [=](QDialog& dialog) {
        auto& group = dynamic_cast<CNewGroupDlg&>(dialog);
        group.show();
        ChooseEntry(group.findChild<QComboBox*>("type"), typeItem);
        Type(group.findChild<QLineEdit*>("name"), name);
        ClickButton(group.findChild<QRadioButton*>(QStringLiteral("answer%1").arg(answer)));
        if (auto* single = group.findChild<QCheckBox*>("writesSingle"); single->isChecked() != writesSingle)
            ClickButton(single);
        SavePicture(&group, "NewGroupDlg.png");
        ClickOk(group);
        return group.result();
    };
}

inline std::function<int(QDialog&)> NewBatch(QString prefix, int count, QString start, QString address)
{
    return [=](QDialog& dialog) {
        auto& batch = dynamic_cast<CNewElementDlg&>(dialog);
        batch.show();
        ClickButton(batch.findChild<QCheckBox*>("batch"));
        Type(batch.findChild<QLineEdit*>("name"), prefix);
        Type(batch.findChild<QLineEdit*>("startNumber"), start);
        Type(batch.findChild<QLineEdit*>("count"), QString::number(count));
        Type(batch.findChild<QLineEdit*>("startAddress"), address);
        SavePicture(&batch, "NewElementDlg.png");
        ClickOk(batch);
        return batch.result();
    };
}

