// The copy-registers dialog in a ready editor on the shipped device: opened
// by its command, targets added through the new-target dialog, rows clicked,
// edited and deleted, ended by OK or Cancel.

#include "devices/ui/CCopyRegEntryDlg.h"
#include "devices/ui/CCopyRegisterDlg.h"
#include "support/DialogTesting.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "widgets/CAddressListCtrl.h"
#include "widgets/CSpinEdit.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <functional>

namespace {

struct CopyEditor : ScriptedEditor {
    bool Run(const std::function<void(CCopyRegisterDlg&)>& script)
    {
        return RunDialogCommand<CCopyRegisterDlg>(*this, Cmd::CopyRegisters, script);
    }

    // New, with the new-target dialog given `station` and `start` and OK.
    void New(CCopyRegisterDlg& dialog, int station, const char* start = "R10")
    {
        ui->dialogs.push_back([station, start](QDialog& entry) {
            entry.show();
            EnterText(NamedChild<CSpinEdit>(entry, "station")->Edit(), QString::number(station));
            ChooseName(NamedChild<CElementNameCombo>(entry, "startElement"), QString::fromLatin1(start));
            ClickOk(entry);
            return entry.result();
        });
        ClickButton(NamedChild<QPushButton>(dialog, "new"));
    }
};

QStringList Column(const CCopyRegisterDlg& dialog, int column)
{
    QStringList texts;
    for (int row = 0; row < dialog.List()->rowCount(); ++row)
        texts << dialog.List()->CellText(row, column);
    return texts;
}

QString TargetStation(const CCopyRegisterDlg& dialog)
{
    return NamedChild<CSpinEdit>(dialog, "targetStation")->Edit()->text();
}

std::vector<int> Stations(const CopyRegGroup& group)
{
    std::vector<int> stations;
    for (const CopyRegEntry& target : group.Targets)
        stations.push_back(target.Station);
    return stations;
}

} // namespace

class CopyRegisterDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }

    void aSixthTargetIsRefused()
    {
        CopyEditor editor;
        QVERIFY(editor.Run([&](CCopyRegisterDlg& dialog) {
            for (int station = 1; station <= 5; ++station)
                editor.New(dialog, station);
            editor.New(dialog, 6);
            QCOMPARE(editor.ui->shown, QStringList{"已达最大组数!"});
            QCOMPARE(Column(dialog, 0), (QStringList{"1", "2", "3", "4", "5"}));
            QCOMPARE(Column(dialog, 1), (QStringList{"1", "2", "3", "4", "5"}));
            QCOMPARE(Column(dialog, 3).front(), QStringLiteral("R10"));
            QVERIFY(SavePicture(&dialog, "copy-registers-dialog.png"));
            QVERIFY(ShowsWholeLayout(&dialog));
            ClickOk(dialog);
        }));
        QCOMPARE(editor.document.CopyRegGroups.size(), std::size_t(1));
        const CopyRegGroup& group = editor.document.CopyRegGroups.front();
        QCOMPARE(group.GroupNumber, 0);
        QCOMPARE(group.SourceGroupName, std::string("Register"));
        QCOMPARE(group.SourceStartElement, std::string("R0"));
        QVERIFY(Stations(group) == (std::vector<int>{1, 2, 3, 4, 5}));
    }

    void deletingARowShowsTheTargetThatMovesUpIntoIt()
    {
        CopyEditor editor;
        editor.Run([&](CCopyRegisterDlg& dialog) {
            for (int station = 1; station <= 4; ++station)
                editor.New(dialog, station, station == 3 ? "R33" : "R10");
            PressCell(dialog.List(), 1, 1);
            QCOMPARE(TargetStation(dialog), QStringLiteral("2"));
            QVERIFY(NamedChild<CSpinEdit>(dialog, "targetStation")->isEnabled());

            ClickButton(NamedChild<QPushButton>(dialog, "delete"));
            QCOMPARE(Column(dialog, 0), (QStringList{"1", "2", "3"}));
            QCOMPARE(Column(dialog, 1), (QStringList{"1", "3", "4"}));
            QVERIFY(dialog.List()->SelectedRows() == std::vector<int>{1});
            QVERIFY(SavePicture(&dialog, "copy-registers-row-selected.png"));
            QCOMPARE(TargetStation(dialog), QStringLiteral("3"));
            QCOMPARE(NamedChild<CElementNameCombo>(dialog, "targetStart")->currentText(), QStringLiteral("R33"));

            // The row editor edits the target now in the row.
            EnterText(NamedChild<CSpinEdit>(dialog, "targetStation")->Edit(), QStringLiteral("9"));
            QCOMPARE(Column(dialog, 1), (QStringList{"1", "9", "4"}));

            // Deleting the last row leaves nothing selected to edit.
            PressCell(dialog.List(), 2, 1);
            ClickButton(NamedChild<QPushButton>(dialog, "delete"));
            QVERIFY(dialog.List()->SelectedRows().empty());
            QVERIFY(!NamedChild<CSpinEdit>(dialog, "targetStation")->isEnabled());
            ClickCancel(dialog);
        });
    }

    void okDropsAnEmptiedGroupAndCancelKeepsTheDocumentsGroups()
    {
        CopyEditor editor;
        QVERIFY(editor.Run([&](CCopyRegisterDlg& dialog) {
            editor.New(dialog, 7);
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "groupNumber"), QStringLiteral("第三组")));
            QCOMPARE(dialog.List()->rowCount(), 0);
            editor.New(dialog, 8);
            PressCell(dialog.List(), 0, 1);
            ClickButton(NamedChild<QPushButton>(dialog, "delete"));
            QCOMPARE(dialog.List()->rowCount(), 0);
            ClickOk(dialog);
        }));
        QCOMPARE(editor.document.CopyRegGroups.size(), std::size_t(1));
        QCOMPARE(editor.document.CopyRegGroups.front().GroupNumber, 0);

        const std::vector<CopyRegGroup> before = editor.document.CopyRegGroups;
        editor.document.ProjectModified = 0;
        QVERIFY(!editor.Run([&](CCopyRegisterDlg& dialog) {
            QCOMPARE(Column(dialog, 1), QStringList{"7"});
            editor.New(dialog, 9);
            PressCell(dialog.List(), 0, 1);
            QVERIFY(ChooseName(NamedChild<CElementNameCombo>(dialog, "targetStart"), QStringLiteral("R40")));
            QCOMPARE(Column(dialog, 3).front(), QStringLiteral("R40"));
            ClickCancel(dialog);
        }));
        QVERIFY(editor.document.CopyRegGroups == before);
        // Choosing a start element marked the project modified at once.
        QCOMPARE(editor.document.ProjectModified, 1);
    }

    void elementCountStaysWithinTheDevicesMaximum()
    {
        CopyEditor editor;
        QVERIFY(editor.Run([&](CCopyRegisterDlg& dialog) {
            editor.New(dialog, 2);
            QLineEdit* count = NamedChild<CSpinEdit>(dialog, "elementCount")->Edit();
            EnterText(count, QStringLiteral("10"));
            QCOMPARE(Column(dialog, 4), QStringList{"10"});
            // Above the device's 10 but within the box: refused without a prompt.
            EnterText(count, QStringLiteral("11"));
            QCOMPARE(count->text(), QStringLiteral("10"));
            QVERIFY(editor.ui->shown.isEmpty());
            EnterText(count, QStringLiteral("51"));
            QCOMPARE(count->text(), QStringLiteral("10"));
            QCOMPARE(editor.ui->shown, QStringList{"请填入一个在1和50之间的整数!"});
            QCOMPARE(NamedChild<CSpinEdit>(dialog, "targetCount")->Edit()->text(), QStringLiteral("10"));
            ClickOk(dialog);
        }));
        QCOMPARE(editor.document.CopyRegGroups.front().ElementCount, 10);
    }

    void anySourceGroupMayBeChosen()
    {
        // A group with fewer elements than the copy group's place among the
        // groups is taken like any other.
        CopyEditor editor;
        editor.document.AddressTable.push_back(MakeGroup("F", 16, 2, {{"F0", 0, 0}, {"F1", 1, 0}}));
        QVERIFY(editor.Run([&](CCopyRegisterDlg& dialog) {
            for (const char* number : {"第一组", "第二组", "第三组", "第四组"}) {
                QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "groupNumber"), QString::fromUtf8(number)));
                editor.New(dialog, 1);
            }
            QVERIFY(ChooseItem(NamedChild<QComboBox>(dialog, "sourceGroup"), QStringLiteral("F")));
            QCOMPARE(NamedChild<CElementNameCombo>(dialog, "sourceStart")->currentText(), QStringLiteral("F0"));
            QVERIFY(ChooseName(NamedChild<CElementNameCombo>(dialog, "sourceStart"), QStringLiteral("F1")));
            ClickOk(dialog);
        }));
        QCOMPARE(editor.document.CopyRegGroups.size(), std::size_t(4));
        const CopyRegGroup& group = editor.document.CopyRegGroups.back();
        QCOMPARE(group.GroupNumber, 3);
        QCOMPARE(group.SourceGroupName, std::string("F"));
        QCOMPARE(group.SourceStartElement, std::string("F1"));
    }
};

QTEST_MAIN(CopyRegisterDlgTest)
#include "CopyRegisterDlgTest.moc"
