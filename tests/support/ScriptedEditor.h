#pragma once

// For the Qt Tests that work in a ready editor: the document, its main window
// shown, the first File New run and the scripted user interface, with helpers
// to reach the tree, the canvas and the pages. Header-only, like
// ScriptedGuiUserInterface.h.

#include "shell/ui/CCJTreeCtrl.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/CNewScreenDlg.h"
#include "shell/ui/CPaneCtrl.h"
#include "shell/ui/CVX50TextView.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "pages/ui/CPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedGuiUserInterface.h"
#include "support/ShippedDeviceFolder.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <utility>
#include <vector>

struct ScriptedEditor : GuiEditor {
    ScriptedEditor()
    {
        frame->show();
        frame->ExecuteCommand(Cmd::FileNew);
    }

    CPaneCtrl& Canvas() const { return *View().GetCanvas(); }

    std::vector<CPropertyDlg*> VisiblePages() const
    {
        std::vector<CPropertyDlg*> visible;
        for (CPropertyDlg* page : View().Pages())
            if (page->isVisible())
                visible.push_back(page);
        return visible;
    }
    // Arms a tool through its command and clicks the canvas at `at`.
    void Place(int toolCommand, QPoint at)
    {
        frame->ExecuteCommand(toolCommand);
        QTest::mouseClick(&Canvas(), Qt::LeftButton, {}, at);
    }

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
            dialog.show();
            dialog.findChild<QSpinBox*>("number")->setValue(number);
            ClickOk(dialog);
            return dialog.result();
        });
    }

    // Adds screen `number` through the new-screen command and its dialog.
    void NewScreen(int number)
    {
        ScriptNewScreen(number);
        frame->ExecuteCommand(Cmd::NewScreen);
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

    std::pair<int, int> LinksOf(int number) const
    {
        const ScreenRecord* s = document.FindScreenByNumber(number);
        return s ? std::pair{s->UpKeyScreen, s->DownKeyScreen} : std::pair{-1, -1};
    }
};
