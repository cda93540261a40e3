// The address-table editor on the offscreen platform: groups and elements
// made through its dialogs reach the device's file, the grid's cells are
// edited in place, and a device that is not user-defined stays read-only
// and unwritten, also when the editor is opened from the project tree.

#include "base/GbkText.h"
#include "base/ProgramPaths.h"
#include "devices/AddressTableFile.h"
#include "devices/DeviceKeys.h"
#include "devices/ui/CAddressTableDlg.h"
#include "devices/ui/CNewElementDlg.h"
#include "devices/ui/CNewGroupDlg.h"
#include "support/AddressTableScripts.h"
#include "support/DialogTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "support/TestFiles.h"
#include "widgets/CAddressListCtrl.h"
#include "widgets/CSpinEdit.h"
#include "widgets/InPlaceCellEdit.h"
#include "widgets/NumberPrompts.h"
#include "widgets/UiText.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>

namespace {

const std::string kDevice = "TestDev";

// The device file holds `expected` as ReadAddressTable reads it, and passes
// the strict reading of its keys and its table.
void CheckDeviceFile(const std::string& device, const AddressTable& expected)
{
    const auto bytes = ReadTestFile(DeviceTablePath(device));
    QVERIFY(bytes);
    DeviceKeys keys;
    QVERIFY(ReadDeviceKeys(*bytes, keys));
    QCOMPARE(keys.dllName, std::string("ModBus Slave.dll"));
    QCOMPARE(keys.canEdit, 1);
    AddressTable table;
    QVERIFY(ParseAddressTable(*bytes, table));
    QVERIFY(ReadAddressTableFile(DeviceTablePath(device), table));
    QVERIFY(table == expected);
}

QPoint CellCentre(const CAddressListCtrl& list, int row, int column)
{
    return {list.columnViewportPosition(column) + list.columnWidth(column) / 2,
            list.rowViewportPosition(row) + list.rowHeight(row) / 2};
}

QStringList Column(const CAddressListCtrl& list, int column, int rows)
{
    QStringList texts;
    for (int row = 0; row < rows; ++row)
        texts.append(list.CellText(row, column));
    return texts;
}

} // namespace

class AddressTableDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;
    std::unique_ptr<GuiEditor> m_editor;

    CVX50TextDoc& Doc() { return m_editor->document; }
    ScriptedGuiUserInterface& Ui() { return *m_editor->ui; }

    // The project is bound to the user-defined device, whose file holds
    // `table`.
    void UseDevice(const AddressTable& table)
    {
        Doc().DeviceName = kDevice;
        Doc().ProtocolLibraryName = "ModBus Slave.dll";
        Doc().TableEditable = 1;
        Doc().AddressTable = table;
        QVERIFY(Doc().WriteAddressTable(DeviceTablePath(kDevice)));
    }

    // Types `text` into the cell by clicking it.
    void TypeIntoCell(CAddressTableDlg& dialog, int row, int column, const QString& text)
    {
        CAddressListCtrl* list = dialog.List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(*list, row, column));
        QVERIFY(list->CurrentEditor());
        QTest::keyClicks(list->CurrentEditor(), text);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path()));
    }

    void init()
    {
        m_editor = std::make_unique<GuiEditor>();
        QFile::remove(QString::fromStdString(DeviceTablePath(kDevice)));
    }

    void cleanup() { m_editor.reset(); }

    void newBitGroupAndBatchReachTheDeviceFile()
    {
        UseDevice({});
        CAddressTableDlg dialog(Doc(), m_editor->frame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.Tabs()->count(), 0);
        QVERIFY(dialog.MenuAction(CAddressTableDlg::NewGroupCommand)->isEnabled());
        QVERIFY(!dialog.MenuAction(CAddressTableDlg::NewElementCommand)->isEnabled());

        Ui().dialogs = {NewGroup("M", 0, NoCoilCommands), NewBatch("M", 4, "0", "10.e")};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::NewGroupCommand));
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::NewElementCommand));
        QCOMPARE(Ui().dialogsRun, 2);
        QCOMPARE(dialog.Tabs()->count(), 1);
        QCOMPARE(dialog.Tabs()->tabText(0), QStringLiteral("M"));
        const CAddressListCtrl& list = *dialog.List();
        QCOMPARE(list.rowCount(), 14);
        QCOMPARE(Column(list, 1, 4), (QStringList{"M0", "M1", "M2", "M3"}));
        QCOMPARE(Column(list, 2, 4), (QStringList{"10.E", "10.F", "11.0", "11.1"}));

        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const AddressTable expected = {MakeGroup(
            "M", BitElementType, WordBitMode, {{"M0", 0x10, 14}, {"M1", 0x10, 15}, {"M2", 0x11, 0}, {"M3", 0x11, 1}})};
        QVERIFY(Doc().AddressTable == expected);
        CheckDeviceFile(kDevice, expected);
        QVERIFY(Ui().shown.isEmpty());
        QCOMPARE(Doc().ProjectModified, 0);
        SavePicture(&dialog, "AddressTableDlg.png");
    }

    void cellEditsFollowEachCommitsRule()
    {
        UseDevice({MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}}),
                   MakeGroup("M", BitElementType, WordBitMode)});
        CAddressTableDlg dialog(Doc(), m_editor->frame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        CAddressListCtrl& list = *dialog.List();

        // A repeated name keeps the editor open through OK, and nothing is
        // written.
        TypeIntoCell(dialog, 1, 1, "D0");
        ClickOk(dialog);
        QCOMPARE(Ui().shown, QStringList{UiText(61389)});
        QVERIFY(list.CurrentEditor());
        QVERIFY(dialog.isVisible());

        // A name without an address survives a tab change and OK as 0.
        Type(list.CurrentEditor(), "D1");
        TypeIntoCell(dialog, 2, 1, "D2");
        TypeIntoCell(dialog, 2, 2, "2");
        QTest::mouseClick(dialog.Tabs(), Qt::LeftButton, {}, dialog.Tabs()->tabRect(1).center());
        QCOMPARE(list.rowCount(), 10);
        TypeIntoCell(dialog, 0, 1, "M0");
        TypeIntoCell(dialog, 0, 2, "3.a");
        QTest::mouseClick(dialog.Tabs(), Qt::LeftButton, {}, dialog.Tabs()->tabRect(0).center());
        QCOMPARE(Column(list, 2, 3), (QStringList{"0", "0", "2"}));

        // The rows typed so far stay with their group when a new one is added.
        TypeIntoCell(dialog, 3, 1, "D3");
        Ui().dialogs = {NewGroup("W", 1, WritesSingleRegister)};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::NewGroupCommand));
        QCOMPARE(dialog.Tabs()->currentIndex(), 2);

        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const AddressTable expected = {
            MakeGroup("D", Word16ElementType, SingleWriteMode,
                      {{"D0", 0, 0}, {"D1", 0, 0}, {"D2", 2, 0}, {"D3", 0, 0}}),
            MakeGroup("M", BitElementType, WordBitMode, {{"M0", 3, 10}}),
            MakeGroup("W", Word16ElementType, SingleWriteMode)};
        CheckDeviceFile(kDevice, expected);
    }

    void selectionDeleteAndGroupDeletion()
    {
        UseDevice({MakeGroup("D", Word16ElementType, SingleWriteMode,
                             {{"D0", 0, 0}, {"D1", 1, 0}, {"D2", 2, 0}, {"D3", 3, 0}, {"D4", 4, 0}, {"D5", 5, 0}}),
                   MakeGroup("E", Word16ElementType, SingleWriteMode)});
        CAddressTableDlg dialog(Doc(), m_editor->frame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        CAddressListCtrl& list = *dialog.List();
        QWidget* rows = list.viewport();

        Ui().answers = {IdOk};
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(Ui().shown, QStringList{UiText(61287)});

        QTest::mouseClick(rows, Qt::LeftButton, {}, CellCentre(list, 1, 0));
        QTest::mouseClick(rows, Qt::LeftButton, Qt::ShiftModifier, CellCentre(list, 3, 0));
        QTest::mouseClick(rows, Qt::LeftButton, Qt::ControlModifier, CellCentre(list, 2, 0));
        QTest::mouseClick(rows, Qt::LeftButton, Qt::ControlModifier, CellCentre(list, 12, 0));
        QCOMPARE(list.SelectedRows(), (std::vector<int>{1, 3, 12}));
        Ui().answers = {IdNo, IdYes};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::DeleteElementCommand));
        QCOMPARE(list.rowCount(), 16);
        QTest::keyClick(&list, Qt::Key_Delete);
        QCOMPARE(Column(list, 1, 4), (QStringList{"D0", "D2", "D4", "D5"}));
        QCOMPARE(Column(list, 0, 5), (QStringList{"1", "2", "3", "4", ""}));
        QVERIFY(list.SelectedRows().empty());

        Ui().answers = {IdYes};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::DeleteGroupCommand));
        QCOMPARE(dialog.Tabs()->count(), 1);
        QCOMPARE(dialog.Tabs()->tabText(0), QStringLiteral("E"));
        Ui().answers = {IdYes};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::DeleteGroupCommand));
        QCOMPARE(list.rowCount(), 0);
        QVERIFY(!dialog.MenuAction(CAddressTableDlg::DeleteGroupCommand)->isEnabled());
        QVERIFY(!dialog.MenuAction(CAddressTableDlg::NewElementCommand)->isEnabled());
        QVERIFY(dialog.MenuAction(CAddressTableDlg::NewGroupCommand)->isEnabled());

        // Cancel leaves the project's table and the file as they were.
        const AddressTable before = Doc().AddressTable;
        ClickCancel(dialog);
        QVERIFY(Doc().AddressTable == before);
        CheckDeviceFile(kDevice, before);
    }

    void aDragHeldBelowTheRowsScrollsAndSelectsOn()
    {
        std::vector<DeviceElement> elements;
        for (int i = 0; i < 60; ++i)
            elements.push_back({"D" + std::to_string(i), i, 0});
        UseDevice({MakeGroup("D", Word16ElementType, SingleWriteMode, elements)});
        CAddressTableDlg dialog(Doc(), m_editor->frame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        CAddressListCtrl& list = *dialog.List();
        QWidget* rows = list.viewport();

        QTest::mousePress(rows, Qt::LeftButton, {}, CellCentre(list, 2, 0));
        QTest::mouseMove(rows, QPoint(CellCentre(list, 2, 0).x(), rows->height() - 2));
        QVERIFY(list.ScrollDownRequested());
        const std::size_t dragged = list.SelectedRows().size();
        QTRY_VERIFY(list.SelectedRows().size() >= dragged + 2);
        QVERIFY(list.verticalScrollBar()->value() > 0);
        QTest::mouseRelease(rows, Qt::LeftButton, {}, QPoint(CellCentre(list, 2, 0).x(), rows->height() - 2));
        QVERIFY(!list.ScrollDownRequested());
        const std::vector<int> selected = list.SelectedRows();
        for (std::size_t i = 0; i < selected.size(); ++i)
            QCOMPARE(selected[i], int(i) + 2);
    }

    void saveAsksAndWritesAndSaveAsMakesAnotherDevice()
    {
        UseDevice({MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}})});
        Doc().DeviceNames = {kDevice};
        CAddressTableDlg dialog(Doc(), m_editor->frame.get());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        TypeIntoCell(dialog, 1, 1, " D1 ");
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::SaveCommand)); // ends the edit only
        QVERIFY(!dialog.List()->CurrentEditor());
        QVERIFY(Ui().shown.isEmpty());

        Ui().answers = {IdYes, IdOk};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::SaveCommand));
        QCOMPARE(Ui().shown, (QStringList{UiText(61232), UiText(61235)}));
        const AddressTable saved = {MakeGroup("D", Word16ElementType, SingleWriteMode, {{"D0", 0, 0}, {"D1", 0, 0}})};
        QVERIFY(Doc().AddressTable == saved);
        CheckDeviceFile(kDevice, saved);

        // The device's own name is taken; a new one gets a file of its own.
        Ui().shown.clear();
        Ui().dialogs = {[](QDialog& d) {
            d.show();
            ClickOk(d);
            Type(d.findChild<QLineEdit*>("name"), " Copy ");
            ClickOk(d);
            return d.result();
        }};
        ChooseFromMenuBar(dialog, dialog.MenuAction(CAddressTableDlg::SaveAsCommand));
        QCOMPARE(Ui().shown, (QStringList{UiText(61282), UiText(61235)}));
        CheckDeviceFile("Copy", saved);
        QFile::remove(QString::fromStdString(DeviceTablePath("Copy")));
        ClickCancel(dialog);
        QVERIFY(Doc().AddressTable == saved);
    }

    void newElementFieldsBringBackWhatTheyRefuse()
    {
        const AddressTable groups = {MakeGroup("D", Word16ElementType, 1, {{"D0", 0, 0}, {"D1", 1, 0}}),
                                     MakeGroup("M", BitElementType, WordBitMode)};
        CNewElementDlg dialog(groups, 0, nullptr);
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>("name");
        auto* count = dialog.findChild<QLineEdit*>("count");
        auto* start = dialog.findChild<QLineEdit*>("startNumber");
        auto* address = dialog.findChild<QLineEdit*>("startAddress");
        QCOMPARE(dialog.findChild<QComboBox*>("group")->currentText(), QStringLiteral("D"));
        auto* position = dialog.findChild<CSpinEdit*>("position");
        auto* interval = dialog.findChild<CSpinEdit*>("interval");
        QCOMPARE(position->Value(), 2);
        QVERIFY(!count->isEnabled());
        Type(position->Edit(), QStringLiteral("70000"));
        QCOMPARE(position->Value(), 7000);

        QTest::keyClicks(name, QStringLiteral("A=B;C"));
        QCOMPARE(name->text(), QStringLiteral("ABC"));
        QTest::keyClicks(address, QStringLiteral("1g2.x3"));
        QCOMPARE(address->text(), QStringLiteral("12.3"));
        Type(address, QStringLiteral("10000"));
        QCOMPARE(address->text(), QStringLiteral("1000"));

        ClickButton(dialog.findChild<QCheckBox*>("batch"));
        Type(interval->Edit(), QStringLiteral("12"));
        Type(interval->Edit(), QStringLiteral("0"));
        QCOMPARE(interval->Value(), 12);
        QVERIFY(Ui().shown.isEmpty());
        Type(count, QStringLiteral("10001"));
        QCOMPARE(count->text(), QStringLiteral("1000"));
        QCOMPARE(Ui().shown, QStringList{QStringFromGbk(RangePromptText(0, 10000))});
        Ui().shown.clear();
        Type(count, QStringLiteral("2"));
        Type(start, QStringLiteral("65535"));
        QCOMPARE(start->text(), QStringLiteral("6553"));
        QCOMPARE(Ui().shown, QStringList{UiText(61278)});
        ClickButton(dialog.findChild<QRadioButton*>("base2"));
        QCOMPARE(start->text(), QStringLiteral("1999"));
        Type(start, QStringLiteral("ff"));
        QCOMPARE(start->text(), QStringLiteral("FF"));
        ClickButton(dialog.findChild<QRadioButton*>("base0"));
        QCOMPARE(start->text(), QStringLiteral("377"));
        QCOMPARE(Ui().shown.size(), 1);

        // Leaving batch mode makes it one element without a number again.
        ClickButton(dialog.findChild<QCheckBox*>("batch"));
        const NewElementRequest request = dialog.Request();
        QCOMPARE(request.count, 1);
        QVERIFY(request.startNumber.empty());
        QCOMPARE(request.name, std::string("ABC"));
        QCOMPARE(request.interval, 12);
        QCOMPARE(request.position, 7000);
    }

    void newGroupAnswersFollowTheType()
    {
        CNewGroupDlg dialog({}, nullptr);
        dialog.show();
        auto* type = dialog.findChild<QComboBox*>("type");
        const auto choose = [&](int item) { ChooseEntry(type, item); };
        Type(dialog.findChild<QLineEdit*>("name"), QStringLiteral("G"));
        choose(1);
        QVERIFY(dialog.findChild<QRadioButton*>("answer3")->isChecked());
        QVERIFY(!dialog.findChild<QCheckBox*>("writesSingle")->isVisible());
        choose(0);
        QVERIFY(dialog.findChild<QRadioButton*>("answer0")->isChecked());
        auto* interval = dialog.findChild<CSpinEdit*>("interval");
        QVERIFY(!interval->isEnabled());
        choose(2);
        QVERIFY(interval->isEnabled());
        QVERIFY(!dialog.findChild<QRadioButton*>("answer1")->isEnabled());
        Type(interval->Edit(), QStringLiteral("3"));
        QCOMPARE(interval->Value(), 2);
        QCOMPARE(Ui().shown, QStringList{QStringFromGbk(RangePromptText(1, 2))});
        Type(interval->Edit(), QStringLiteral("1"));
        ClickOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ElementType(), int(Word32ElementType));
        QCOMPARE(dialog.Access().accessMode, int(CoilOrMultiWriteMode));
        QCOMPARE(dialog.Access().interval32, 1);
    }

    void aDeviceThatIsNotEditableIsReadOnlyFromTheTree()
    {
        ScriptedEditor editor; // File New binds the shipped device
        editor.document.TableEditable = 0; // as its file's CANEDIT 0 would
        const std::string path = DeviceTablePath(editor.document.DeviceName);
        const auto before = ReadTestFile(path);
        QVERIFY(before);
        const AddressTable table = editor.document.AddressTable;
        QVERIFY(!table.empty());

        // What the editor showed: the four editing commands, the others,
        // the tabs, and whether a click opened a cell editor.
        std::vector<bool> editing;
        std::vector<bool> others;
        int tabs = -1;
        bool cellEdited = true;
        editor.ui->dialogs = {[&](QDialog& d) {
            auto& dialog = dynamic_cast<CAddressTableDlg&>(d);
            for (int command : {CAddressTableDlg::NewGroupCommand, CAddressTableDlg::DeleteGroupCommand,
                                CAddressTableDlg::NewElementCommand, CAddressTableDlg::DeleteElementCommand})
                editing.push_back(dialog.MenuAction(command)->isEnabled());
            for (int command : {CAddressTableDlg::SaveCommand, CAddressTableDlg::SaveAsCommand,
                                CAddressTableDlg::ExitCommand})
                others.push_back(dialog.MenuAction(command)->isEnabled());
            tabs = dialog.Tabs()->count();
            dialog.show();
            CAddressListCtrl* list = dialog.List();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CellCentre(*list, 0, 1));
            cellEdited = list->CurrentEditor() != nullptr;
            ClickOk(dialog);
            return dialog.result();
        }};
        editor.Click(editor.Tree().AddressRoot());
        QCOMPARE(editing, std::vector<bool>(4, false));
        QCOMPARE(others, std::vector<bool>(3, true));
        QCOMPARE(tabs, static_cast<int>(table.size()));
        QVERIFY(!cellEdited);
        QVERIFY(editor.document.AddressTable == table);
        QCOMPARE(ReadTestFile(path), before);
    }
};

QTEST_MAIN(AddressTableDlgTest)
#include "AddressTableDlgTest.moc"
