#pragma once

// For the Qt Tests of the project tree and the project files: an editor
// (document, main window shown, first File New run, scripted user interface)
// with helpers to reach the tree. Header-only, like
// ScriptedGuiUserInterface.h.

#include "app/CCJTreeCtrl.h"
#include "app/CMainFrame.h"
#include "app/CNewScreenDlg.h"
#include "app/CVX50TextView.h"
#include "model/CVX50TextDoc.h"
#include "model/CommandIds.h"
#include "model/ProgramPaths.h"
#include "support/ScriptedGuiUserInterface.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <utility>

// Makes `folder` the program folder, holding the shipped "ModBus Slave"
// device that File New applies.
inline bool UseProgramFolderWithShippedDevice(const QString& folder)
{
    const QString shipped = QCoreApplication::applicationDirPath() + "/Device/ModBus SlaveCommunication.add";
    if (!QDir(folder).mkpath("Device") || !QFile::copy(shipped, folder + "/Device/ModBus SlaveCommunication.add"))
        return false;
    SetProgramFolder(folder.toStdString());
    return true;
}

struct ScriptedEditor : GuiEditor {
    ScriptedEditor()
    {
        frame->show();
        frame->ExecuteCommand(Cmd::FileNew);
    }

    CCJTreeCtrl& Tree() const { return *frame->GetTreeCtrl(); }

    QTreeWidgetItem* ItemOf(int number) const
    {
        return Tree().FindItemByData(number + CCJTreeCtrl::ScreenDataOffset);
    }
    QPoint CentreOf(QTreeWidgetItem* item) const { return Tree().visualItemRect(item).center(); }
    void Click(QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(Tree().viewport(), button, {}, CentreOf(item));
    }

    // The next new-screen dialog takes `number` and presses OK once.
    void ScriptNewScreen(int number)
    {
        ui->dialogs.push_back([number](QDialog& dialog) {
            dialog.findChild<QSpinBox*>("number")->setValue(number);
            dynamic_cast<CNewScreenDlg&>(dialog).OnOK();
            return dialog.result();
        });
    }

    // Chooses the popup command `text` at the next right click.
    static void ChooseFromPopup(const QString& text)
    {
        QTimer::singleShot(0, [text] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text() == text)
                    menu->setActiveAction(action);
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
    }

    QStringList ScreenTexts() const
    {
        QStringList texts;
        for (int i = 0; i < Tree().ScreensRoot()->childCount(); ++i)
            texts.append(Tree().ScreensRoot()->child(i)->text(0));
        return texts;
    }

    std::pair<int, int> LinksOf(int number) const
    {
        const ScreenRecord* s = document.FindScreenByNumber(number);
        return s ? std::pair{s->UpKeyScreen, s->DownKeyScreen} : std::pair{-1, -1};
    }
};
