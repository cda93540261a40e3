// The alarm-list dialog in a ready editor on the offscreen platform: opened
// by its command, activated so that the cell editor's focus changes count,
// edited through its controls and grid, ended by OK, Cancel, the close box
// and a project reset.

#include "base/ProgramPaths.h"
#include "model/AlarmBlocks.h"
#include "settings/ui/CAlarmCellEdit.h"
#include "settings/ui/CAlarmListCtrl.h"
#include "settings/ui/CAlarmListDlg.h"
#include "settings/ui/CAlarmScrollBar.h"
#include "shell/ui/ProjectOpen.h"
#include "support/AlarmFixtures.h"
#include "support/DialogTesting.h"
#include "support/ScriptedEditor.h"
#include "widgets/CElementNameCombo.h"
#include "widgets/CSpinEdit.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <functional>

namespace {

const QString SegmentFull = QStringLiteral("每段报警数目最多32条,请选择新段后添加!");
const QString OutOfTable = QStringLiteral("超出地址表中地址范围!");

// An editor whose device table is the shipped one, or `table`.
struct AlarmEditor : ScriptedEditor {
    // Runs the Alarm List command and activates the dialog it opens.
    CAlarmListDlg* Open()
    {
        frame->ExecuteCommand(Cmd::AlarmList);
        CAlarmListDlg* dialog = View().AlarmListDialog;
        if (!dialog)
            return nullptr;
        ShowActive(*dialog);
        return dialog;
    }
    bool CommandEnabled() const { return frame->IsCommandEnabled(Cmd::AlarmList); }
};

const AlarmGrid& Grid(const CAlarmListDlg* dialog)
{
    return dialog->List()->Grid();
}

CAlarmCellEdit* Editor(const CAlarmListDlg* dialog)
{
    return dialog->List()->Editor();
}

template <typename Widget>
Widget* Child(const CAlarmListDlg* dialog, const char* name)
{
    return dialog->findChild<Widget*>(QString::fromLatin1(name));
}

// Types `text` into the open cell editor and presses Enter.
void EnterAlarm(const CAlarmListDlg* dialog, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(Editor(dialog), &press);
    }
    QTest::keyClick(Editor(dialog), Qt::Key_Return);
}

} // namespace

class AlarmListDlgTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_programFolder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_programFolder.path())); }

    void newListOpensEightSegmentsWithTheEditorOnRow0()
    {
        AlarmEditor editor;
        QVERIFY(editor.CommandEnabled());
        CAlarmListDlg* dialog = editor.Open();
        QVERIFY(dialog);
        QVERIFY(!editor.CommandEnabled());
        QCOMPARE(Child<QComboBox>(dialog, "segmentBox")->count(), 8);
        QCOMPARE(Child<QComboBox>(dialog, "segmentBox")->currentText(), QStringLiteral("1"));
        QCOMPARE(Child<QComboBox>(dialog, "groupBox")->currentText(), QStringLiteral("Coil"));
        QCOMPARE(Child<CElementNameCombo>(dialog, "startElementBox")->currentText(), QStringLiteral("C0"));
        QCOMPARE(Child<CSpinEdit>(dialog, "station")->Edit()->text(), QStringLiteral("1"));
        QVERIFY(Child<QRadioButton>(dialog, "rs485")->isChecked());
        QVERIFY(Editor(dialog));
        QVERIFY(Editor(dialog)->hasFocus());
        QCOMPARE(Grid(dialog).CurrentRow(), 0);

        // A second command is refused while the list is open.
        editor.frame->ExecuteCommand(Cmd::AlarmList);
        QCOMPARE(editor.View().AlarmListDialog.data(), dialog);
        QCOMPARE(editor.frame->findChildren<CAlarmListDlg*>().size(), 1);

        // OK without typing stores eight empty segments and no block.
        ClickButton(Child<QPushButton>(dialog, "okButton"));
        QCOMPARE(editor.document.AlarmSegments.size(), std::size_t(8));
        QVERIFY(editor.document.AlarmBlocks.empty());
        QVERIFY(editor.CommandEnabled());
    }

    void enterNamesTheAlarmAndNeverClosesTheDialog()
    {
        AlarmEditor editor;
        CAlarmListDlg* dialog = editor.Open();
        EnterAlarm(dialog, QStringLiteral("温度过高"));
        QCOMPARE(RowNames(Grid(dialog).Shown()), (std::vector<std::string>{"C0", ""}));
        QCOMPARE(Grid(dialog).CurrentRow(), 1);
        QVERIFY(Editor(dialog)->hasFocus());
        QVERIFY(dialog->isVisible());
        QVERIFY(editor.document.AlarmSegments.empty());

        // Enter with the grid focused stays in the grid too.
        QTest::mouseClick(dialog->List(), Qt::LeftButton, {}, QPoint(50, 30));
        QVERIFY(dialog->List()->hasFocus());
        QTest::keyClick(dialog->List(), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QCOMPARE(Grid(dialog).CurrentRow(), 1);
        ClickButton(Child<QPushButton>(dialog, "cancelButton"));
    }

    void the33rdAlarmIsRefusedAndTheScrollBarComesAt18Rows()
    {
        AlarmEditor editor;
        CAlarmListDlg* dialog = editor.Open();
        for (int k = 0; k < 16; ++k)
            EnterAlarm(dialog, QStringLiteral("a%1").arg(k));
        QVERIFY(!dialog->List()->ScrollBar()->isVisible());
        EnterAlarm(dialog, QStringLiteral("a16"));
        QCOMPARE(Grid(dialog).Entries(), 18);
        QVERIFY(dialog->List()->ScrollBar()->isVisible());
        QCOMPARE(dialog->List()->ScrollBar()->maximum(), 20);

        for (int k = 17; k < 32; ++k)
            EnterAlarm(dialog, QStringLiteral("a%1").arg(k));
        QVERIFY(editor.ui->shown.isEmpty());
        EnterAlarm(dialog, QStringLiteral("a32"));
        QCOMPARE(editor.ui->shown, QStringList{SegmentFull});
        QCOMPARE(Grid(dialog).Entries(), 33);
        QCOMPARE(Editor(dialog)->text(), QString());

        // Typed again and left for the station field: refused the same way.
        EnterAlarm(dialog, QString());
        QTest::keyClicks(Editor(dialog), "x");
        QTest::mouseClick(Child<CSpinEdit>(dialog, "station")->Edit(), Qt::LeftButton);
        QCOMPARE(editor.ui->shown.size(), 3);
        QCOMPARE(editor.ui->shown.back(), SegmentFull);
        QCOMPARE(Grid(dialog).Shown().Entries.back().Text, std::string());
        // Its editor stays open and takes the keys typed next.
        QCOMPARE(QApplication::focusWidget(), Editor(dialog));
        QTest::keyClicks(QApplication::focusWidget(), "y");
        QCOMPARE(Grid(dialog).Shown().Entries.back().Text, std::string("y"));
        ClickButton(Child<QPushButton>(dialog, "cancelButton"));
    }

    void cancelLeavesTheDocumentAsItWas()
    {
        AlarmEditor editor;
        const ElementGroup& coils = editor.document.AddressTable[0];
        editor.document.AlarmSegments = {AlarmSegmentOf(coils, 0, {"a"}), AlarmSegmentOf(coils, 5, {"b", "c"})};
        editor.document.AlarmBlocks = BuildAlarmBlocks(editor.document.AlarmSegments, editor.document.AddressTable);
        editor.document.ShownAlarmSegment = 1;
        editor.document.ProjectModified = 0;
        const auto segments = editor.document.AlarmSegments;
        const auto blocks = editor.document.AlarmBlocks;

        CAlarmListDlg* dialog = editor.Open();
        QVERIFY(!Editor(dialog)); // a stored list opens without an editor
        QCOMPARE(Child<CElementNameCombo>(dialog, "startElementBox")->currentText(), QStringLiteral("C5"));
        QTest::mouseClick(dialog->List(), Qt::LeftButton, {}, QPoint(200, 30 + 40));
        QTest::keyClicks(Editor(dialog), "new");
        QTest::keyClick(Editor(dialog), Qt::Key_Return);
        ChooseEntry(Child<QComboBox>(dialog, "segmentBox"), 0);
        ClickButton(Child<QRadioButton>(dialog, "com1"));
        ClickButton(Child<QPushButton>(dialog, "cancelButton"));

        QCOMPARE(editor.document.AlarmSegments, segments);
        QCOMPARE(editor.document.AlarmBlocks, blocks);
        QCOMPARE(editor.document.ShownAlarmSegment, 1);
        QCOMPARE(editor.document.ProjectModified, 0);
        QVERIFY(editor.CommandEnabled());

        // The close box ends it too, and the view forgets the dialog.
        dialog = editor.Open();
        QVERIFY(dialog->close());
        QVERIFY(editor.CommandEnabled());
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!editor.View().AlarmListDialog);
    }

    // A refused text in the typing row (a fifth alarm on a group of four)
    // does not hold the dialog: Cancel, Esc and the close box end it without
    // the message again, and the alarms stay as they were.
    void aRefusedTypingRowDoesNotHoldCancelEscOrTheCloseBox()
    {
        const std::pair<const char*, std::function<void(CAlarmListDlg*)>> enders[] = {
            {"Cancel", [](CAlarmListDlg* d) { QTest::mouseClick(Child<QPushButton>(d, "cancelButton"), Qt::LeftButton); }},
            {"Esc", [](CAlarmListDlg*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }},
            {"close box", [](CAlarmListDlg* d) { QVERIFY(d->close()); }},
        };
        for (const auto& [name, end] : enders) {
            AlarmEditor editor;
            editor.document.AddressTable = {CoilGroup("Y", 4)};
            editor.document.AlarmSegments = {AlarmSegmentOf(editor.document.AddressTable[0], 0, AlarmTexts(4))};
            editor.document.AlarmBlocks =
                BuildAlarmBlocks(editor.document.AlarmSegments, editor.document.AddressTable);
            editor.document.ProjectModified = 0;
            const auto segments = editor.document.AlarmSegments;
            const auto blocks = editor.document.AlarmBlocks;

            QPointer<CAlarmListDlg> dialog = editor.Open();
            QTest::mouseClick(dialog->List(), Qt::LeftButton, {}, QPoint(200, 30 + 4 * 20));
            QVERIFY2(Editor(dialog), name);
            EnterAlarm(dialog, QStringLiteral("fifth"));
            QCOMPARE(editor.ui->shown, QStringList{OutOfTable});
            QTest::keyClicks(QApplication::focusWidget(), "again");
            QCOMPARE(Grid(dialog).Shown().Entries.back().Text, std::string("again"));

            end(dialog);
            QVERIFY2(!dialog || !dialog->isVisible(), name);
            QVERIFY2(editor.ui->shown == QStringList{OutOfTable}, qPrintable(name + (": " + editor.ui->shown.join('|'))));
            QCOMPARE(editor.document.AlarmSegments, segments);
            QCOMPARE(editor.document.AlarmBlocks, blocks);
            QCOMPARE(editor.document.ProjectModified, 0);
            QVERIFY2(editor.CommandEnabled(), name);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY2(!editor.View().AlarmListDialog, name);
        }
    }

    void stationEditsAreCheckedAsTyped()
    {
        AlarmEditor editor;
        editor.document.ProjectModified = 0;
        CAlarmListDlg* dialog = editor.Open();
        QLineEdit* station = Child<CSpinEdit>(dialog, "station")->Edit();
        // Each edit is checked whole, as pasted.
        for (const char* refused : {"0", "256", "1a", ""}) {
            station->selectAll();
            station->insert(QString::fromLatin1(refused));
            QCOMPARE(station->text(), QStringLiteral("1"));
        }
        QCOMPARE(editor.document.ProjectModified, 0);
        station->selectAll();
        QTest::keyClicks(station, "255");
        QCOMPARE(Grid(dialog).Shown().Station, std::string("255"));
        ClickButton(Child<QPushButton>(dialog, "cancelButton"));
        QCOMPARE(editor.document.ProjectModified, 1);
        QVERIFY(editor.ui->shown.isEmpty());
    }

    void startElementAndGroupFollowTheRules()
    {
        AlarmEditor editor;
        editor.document.AddressTable = {CoilGroup("X", 20), CoilGroup("Y", 4), WordBitGroup("M", 30, 3, 14)};
        const ElementGroup& x = editor.document.AddressTable[0];
        editor.document.AlarmSegments = {AlarmSegmentOf(x, 2, AlarmTexts(5))};
        CAlarmListDlg* dialog = editor.Open();
        auto* start = Child<CElementNameCombo>(dialog, "startElementBox");

        // The open list shows every element; 16 does not hold five alarms.
        start->showPopup();
        QCOMPARE(start->count(), 20);
        start->hidePopup();
        start->setCurrentIndex(16);
        QCOMPARE(editor.ui->shown, QStringList{OutOfTable});
        QCOMPARE(start->count(), 1);
        QCOMPARE(start->currentText(), QStringLiteral("X2"));
        start->showPopup();
        start->hidePopup();
        start->setCurrentIndex(15);
        QCOMPARE(RowNames(Grid(dialog).Shown()).front(), std::string("X15"));

        // A typed name opens the list on it and takes it when it closes.
        start->lineEdit()->selectAll();
        QTest::keyClicks(start->lineEdit(), "X3");
        QVERIFY(start->IsListOpen());
        start->hidePopup();
        QCOMPARE(Grid(dialog).StartIndex(), std::string("3"));

        // A group of four keeps four alarms, from its first element.
        auto* groups = Child<QComboBox>(dialog, "groupBox");
        groups->setCurrentText(QStringLiteral("Y"));
        QCOMPARE(RowNames(Grid(dialog).Shown()), (std::vector<std::string>{"Y0", "Y1", "Y2", "Y3", ""}));
        QCOMPARE(start->currentText(), QStringLiteral("Y0"));
        ClickButton(Child<QPushButton>(dialog, "cancelButton"));
    }

    // A start element picked in the list, with the mouse or the keys, is
    // applied; a pick outweighs a name typed before it.
    void startElementPickedInTheListIsApplied()
    {
        for (const auto pick : {&PickWithMouse, &PickWithKeys}) {
            AlarmEditor editor;
            editor.document.AddressTable = {CoilGroup("X", 20)};
            editor.document.AlarmSegments = {AlarmSegmentOf(editor.document.AddressTable[0], 2, AlarmTexts(5))};
            CAlarmListDlg* dialog = editor.Open();
            auto* start = Child<CElementNameCombo>(dialog, "startElementBox");
            QVERIFY(pick(start, QStringLiteral("X7")));
            QCOMPARE(Grid(dialog).StartIndex(), std::string("7"));
            QCOMPARE(RowNames(Grid(dialog).Shown()).front(), std::string("X7"));
            QCOMPARE(start->count(), 1);
            QCOMPARE(start->currentText(), QStringLiteral("X7"));

            start->lineEdit()->selectAll();
            QTest::keyClicks(start->lineEdit(), "X3");
            QVERIFY(start->IsListOpen());
            QVERIFY(ClickListItem(start, QStringLiteral("X9")));
            QCOMPARE(Grid(dialog).StartIndex(), std::string("9"));
            QCOMPARE(start->currentText(), QStringLiteral("X9"));

            // The list opened by a typed name highlights it: Return takes it.
            start->lineEdit()->selectAll();
            QTest::keyClicks(start->lineEdit(), "X12");
            QTest::keyClick(start->view(), Qt::Key_Return);
            QVERIFY(!start->IsListOpen());
            QCOMPARE(Grid(dialog).StartIndex(), std::string("12"));
            QCOMPARE(start->currentText(), QStringLiteral("X12"));
            QVERIFY(editor.ui->shown.isEmpty());
            ClickButton(Child<QPushButton>(dialog, "cancelButton"));
        }
    }

    void okBuildsTheBlocksThatSavingAndOpeningKeep()
    {
        AlarmEditor editor;
        CAlarmListDlg* dialog = editor.Open();
        EnterAlarm(dialog, QStringLiteral("一"));
        EnterAlarm(dialog, QStringLiteral("two"));
        ChooseEntry(Child<QComboBox>(dialog, "segmentBox"), 2);
        QTest::mouseClick(dialog->List(), Qt::LeftButton, {}, QPoint(200, 30));
        QTest::keyClicks(Editor(dialog), "three");
        // Leaving the cell for OK commits the typed alarm.
        QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QVERIFY(!editor.View().AlarmListDialog || !editor.View().AlarmListDialog->isVisible());

        CVX50TextDoc& doc = editor.document;
        QCOMPARE(doc.ShownAlarmSegment, 2);
        QCOMPARE(doc.ProjectModified, 1);
        QCOMPARE(doc.AlarmBlocks.size(), std::size_t(2));
        QCOMPARE(doc.AlarmBlocks[0].AlarmCount, 2);
        QCOMPARE(doc.AlarmBlocks[1].Texts[0], std::string("three"));
        const auto segments = doc.AlarmSegments;
        const auto blocks = doc.AlarmBlocks;

        QTemporaryDir folder;
        const QString path = folder.filePath("alarms.opf");
        editor.ui->files = {path};
        editor.frame->ExecuteCommand(Cmd::FileSave);
        editor.frame->ExecuteCommand(Cmd::FileNew);
        QVERIFY(doc.AlarmSegments.empty());
        QVERIFY(OpenProjectInto(*editor.frame, path));
        QCOMPARE(doc.AlarmBlocks, blocks);
        QCOMPARE(doc.ShownAlarmSegment, 2);
        QCOMPARE(doc.AlarmSegments.size(), segments.size());
        for (std::size_t k = 0; k < segments.size(); ++k)
            QCOMPARE(doc.AlarmSegments[k].Entries, segments[k].Entries);
    }

    void aProjectResetEndsAnOpenList()
    {
        AlarmEditor editor;
        CAlarmListDlg* dialog = editor.Open();
        EnterAlarm(dialog, QStringLiteral("old"));
        editor.document.ProjectModified = 0;
        editor.frame->ExecuteCommand(Cmd::FileNew);
        QVERIFY(!dialog->isVisible());
        QVERIFY(editor.document.AlarmSegments.empty());
        QVERIFY(editor.CommandEnabled());
    }

    // The device dialog empties the alarms for another device and rewrites
    // them for a new default station: an open list ends, so that its OK
    // cannot write the old alarms back.
    void aDeviceChangeEndsAnOpenList()
    {
        const QString shipped = QString::fromStdString(DeviceTablePath("ModBus Slave"));
        QFile::remove(QString::fromStdString(DeviceTablePath("Second")));
        QVERIFY(QFile::copy(shipped, QString::fromStdString(DeviceTablePath("Second"))));
        const std::pair<QString, int> changes[] = {{QStringLiteral("Second"), 1}, {QStringLiteral("ModBus Slave"), 9}};
        for (const auto& [device, station] : changes) {
            AlarmEditor editor;
            editor.document.AlarmSegments = {AlarmSegmentOf(editor.document.AddressTable[0], 0, AlarmTexts(3))};
            const QPointer<CAlarmListDlg> dialog = editor.Open();
            editor.ui->confirmDevice = false;
            editor.ui->dialogs = {[device, station](QDialog& shown) {
                ShowActive(shown);
                ChooseText(shown.findChild<QComboBox*>("device"), device);
                shown.findChild<QSpinBox*>("station")->setValue(station);
                ClickOk(shown);
                return shown.result();
            }};
            editor.frame->ExecuteCommand(Cmd::Device);
            QCOMPARE(QString::fromStdString(editor.document.DeviceName), device);
            QVERIFY(!dialog || !dialog->isVisible());
            QVERIFY(editor.CommandEnabled());
        }
    }

    void screenshot()
    {
        AlarmEditor editor;
        editor.document.AlarmSegments = {AlarmSegmentOf(editor.document.AddressTable[0], 0, AlarmTexts(20))};
        CAlarmListDlg* dialog = editor.Open();
        QVERIFY(dialog->grab().save(QStringLiteral("alarm_list.png")));
        ClickButton(Child<QPushButton>(dialog, "cancelButton"));
    }
};

QTEST_MAIN(AlarmListDlgTest)
#include "AlarmListDlgTest.moc"
