// The lamp page in the editor, on a document with the shipped device: what
// every element page shares (binding, the commit of a change, the position
// and station fields, the address combos, undo and redo, deletion) and what
// the lamp adds.

#include "model/ElementRebinding.h"
#include "model/elements/CLampElement.h"
#include "pages/ui/CLampPropertyDlg.h"
#include "pages/ui/CScreenPropertyDlg.h"
#include "shell/ui/ProjectOpen.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"
#include "support/TableGroups.h"
#include "widgets/CElementNameCombo.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTest>

namespace {

struct LampEditor : ScriptedEditor {
    // Places a lamp at pixel `at` of the canvas and returns it.
    std::shared_ptr<CLampElement> PlaceLamp(QPoint at = {100, 100})
    {
        Place(Cmd::ToolLamp, at);
        return std::dynamic_pointer_cast<CLampElement>(document.GetWorkingElements().back().element);
    }
    CLampPropertyDlg* Page() const { return View().LampPage; }
    template <class Field>
    Field* Field_(const char* label) const
    {
        return FieldOf<Field>(Page(), QString::fromUtf8(label));
    }
    QLineEdit* X() const { return Field_<QLineEdit>("X:"); }
    QLineEdit* Y() const { return Field_<QLineEdit>("Y:"); }
    QLineEdit* Station() const { return Field_<QLineEdit>("局号:"); }
    QComboBox* Type() const { return Field_<QComboBox>("类型:"); }
    QComboBox* Group() const { return Field_<QComboBox>("元件组名:"); }
    CElementNameCombo* Name() const { return Field_<CElementNameCombo>("元件名称:"); }
    QComboBox* Shape() const { return Field_<QComboBox>("形状:"); }
    QComboBox* Logic() const { return Field_<QComboBox>("逻辑:"); }
    QCheckBox* DoubleSize() const { return Page()->findChild<QCheckBox*>(); }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }
};

void DragCanvas(QWidget* canvas, QPoint from, QPoint to)
{
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
            Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
    }
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to);
}

// A second bit group, so that the group list offers a choice.
ElementGroup GroupY()
{
    return MakeGroup("Y", BitElementType, CoilOrMultiWriteMode, {{"Y0", 0, 0}, {"Y1", 1, 0}, {"Y2", 2, 0}});
}

} // namespace

class LampPageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void placingALampShowsItsPageBoundToIt()
    {
        LampEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto lamp = editor.PlaceLamp();
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(editor.Page()->BoundElement(), std::shared_ptr<CScreenElement>(lamp));
        // The lamp takes the first bit group and its first element.
        QCOMPARE(lamp->GroupName, std::string("Coil"));
        QCOMPARE(lamp->ElementName, std::string("C0"));
        QCOMPARE(editor.Type()->currentText(), QString("位元件"));
        QCOMPARE(editor.Group()->currentText(), QString("Coil"));
        QCOMPARE(editor.Name()->currentText(), QString("C0"));
        QCOMPARE(editor.X()->text(), QString::number(lamp->GetPosition().x));
        QCOMPARE(editor.Y()->text(), QString::number(lamp->GetPosition().y));
        QCOMPARE(editor.Station()->text(), QString("1"));
        QCOMPARE(editor.Shape()->currentText(), QString("圆形"));
        QCOMPARE(editor.Logic()->currentText(), QString("正逻辑"));
        QVERIFY(!editor.DoubleSize()->isChecked());

        QVERIFY(ShowsWholeLayout(editor.Page()));
        QVERIFY(SavePicture(editor.frame.get(), "lamp-page.png"));
    }

    void choosingAGroupAndTypingANameBindThemWithOneSnapshotEach()
    {
        LampEditor editor;
        editor.document.AddressTable.push_back(GroupY());
        const auto lamp = editor.PlaceLamp();
        editor.document.ProjectModified = 0;
        std::size_t snapshots = editor.Snapshots();

        // The group list takes a key like any list: "Y" selects group Y.
        editor.Group()->setFocus();
        QTest::keyClick(editor.Group(), Qt::Key_Y);
        QCOMPARE(lamp->GroupName, std::string("Y"));
        QCOMPARE(lamp->ElementName, std::string("Y0"));
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // Typing an exact name binds it at once and opens the list on it;
        // closing the list takes the snapshot.
        editor.document.ProjectModified = 0;
        CElementNameCombo* name = editor.Name();
        name->lineEdit()->setFocus();
        name->lineEdit()->selectAll();
        QTest::keyClicks(name->lineEdit(), "Y2");
        QCOMPARE(lamp->ElementName, std::string("Y2"));
        QVERIFY(name->IsListOpen());
        QCOMPARE(name->view()->currentIndex().data().toString(), QString("Y2"));
        QCOMPARE(editor.Snapshots(), snapshots);
        QTest::keyClick(name->view(), Qt::Key_Return);
        QVERIFY(!name->IsListOpen());
        QCOMPARE(lamp->ElementName, std::string("Y2"));
        QCOMPARE(name->currentText(), QString("Y2"));
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // A name from the open list is bound once, with one snapshot.
        QTest::keyClick(name, Qt::Key_F4);
        QCOMPARE(name->count(), 3);
        QVERIFY(WalkListTo(name->view(), 1));
        QTest::keyClick(name->view(), Qt::Key_Return);
        QCOMPARE(lamp->ElementName, std::string("Y1"));
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // Text that names no element gives way to the lamp's name.
        name->lineEdit()->setFocus();
        name->lineEdit()->selectAll();
        QTest::keyClicks(name->lineEdit(), "Q9");
        QTest::keyClick(name->lineEdit(), Qt::Key_Return);
        QCOMPARE(name->currentText(), QString("Y1"));
        QCOMPARE(lamp->ElementName, std::string("Y1"));
        QCOMPARE(editor.Snapshots(), snapshots);
    }

    void typingGoesOnPastAShorterName()
    {
        LampEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto lamp = editor.PlaceLamp();
        const std::size_t snapshots = editor.Snapshots();
        CElementNameCombo* name = editor.Name();
        name->lineEdit()->setFocus();
        name->lineEdit()->selectAll();
        QTest::keyClicks(name->lineEdit(), "C1");
        QVERIFY(name->IsListOpen());
        QCOMPARE(lamp->ElementName, std::string("C1"));
        // The open list has the keyboard; the digits still reach the edit.
        QTest::keyClicks(QApplication::focusWidget(), "00");
        QCOMPARE(name->lineEdit()->text(), QString("C100"));
        QCOMPARE(lamp->ElementName, std::string("C100"));
        QCOMPARE(name->view()->currentIndex().data().toString(), QString("C100"));
        QTest::keyClick(name->view(), Qt::Key_Return);
        QCOMPARE(lamp->ElementName, std::string("C100"));
        QCOMPARE(editor.Snapshots(), snapshots + 1);
    }

    void positionFieldsKeepTheLampOnTheDisplay()
    {
        LampEditor editor;
        const auto lamp = editor.PlaceLamp();
        std::size_t snapshots = editor.Snapshots();

        EnterText(editor.X(), "176");
        QCOMPARE(lamp->GetPosition(), (DotPoint{176, 35}));
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // Refused: 193 - 16, and a negative X; the Y field shows a value of
        // its own that gives way too.
        for (const char* refused : {"177", "-1"}) {
            editor.Y()->setText("5");
            EnterText(editor.X(), refused);
            QCOMPARE(lamp->GetPosition(), (DotPoint{176, 35}));
            QCOMPARE(editor.X()->text(), QString("176"));
            QCOMPARE(editor.Y()->text(), QString("35"));
        }
        EnterText(editor.Y(), "48");
        QCOMPARE(lamp->GetPosition(), (DotPoint{176, 48}));
        EnterText(editor.Y(), "49");
        QCOMPARE(lamp->GetPosition(), (DotPoint{176, 48}));
        EnterText(editor.Y(), "-3");
        QCOMPARE(editor.Y()->text(), QString("48"));
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // Text that is not a number: the prompt, then the old value.
        editor.ui->shown.clear();
        EnterText(editor.X(), "x");
        QCOMPARE(editor.ui->shown, QStringList{"请填入一个整数!"});
        QCOMPARE(editor.X()->text(), QString("176"));

        // The arrows step by one and commit like typing.
        QCOMPARE(editor.X()->parentWidget()->findChildren<QToolButton*>().size(), 2);
        ClickArrow(editor.X(), -1);
        QCOMPARE(lamp->GetPosition(), (DotPoint{175, 48}));
        QCOMPARE(editor.X()->text(), QString("175"));
    }

    void dragAndArrowKeysShowInThePositionFields()
    {
        LampEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto lamp = editor.PlaceLamp({60, 60});
        const DotPoint start = lamp->GetPosition();
        DragCanvas(&editor.Canvas(), {65, 65}, {165, 105});
        QVERIFY(lamp->GetPosition().x > start.x);
        QCOMPARE(editor.X()->text(), QString::number(lamp->GetPosition().x));
        QCOMPARE(editor.Y()->text(), QString::number(lamp->GetPosition().y));

        editor.View().setFocus();
        QTest::keyClick(&editor.View(), Qt::Key_Right);
        QCOMPARE(editor.X()->text(), QString::number(lamp->GetPosition().x));
    }

    void stationShapeLogicAndDoubleSize()
    {
        LampEditor editor;
        const auto lamp = editor.PlaceLamp();
        EnterText(editor.X(), "176");
        EnterText(editor.Y(), "48");
        std::size_t snapshots = editor.Snapshots();

        EnterText(editor.Station(), "255");
        QCOMPARE(lamp->GetStation(), 255);
        QCOMPARE(editor.Snapshots(), ++snapshots);
        EnterText(editor.Station(), "0");
        QCOMPARE(editor.ui->shown.last(), QString("请填入一个在1和255之间的整数!"));
        QCOMPARE(lamp->GetStation(), 255);
        QCOMPARE(editor.Station()->text(), QString("255"));
        QCOMPARE(editor.Snapshots(), snapshots);

        // Choosing what the lamp already is changes nothing.
        editor.document.ProjectModified = 0;
        editor.Shape()->setFocus();
        QTest::keyClick(editor.Shape(), Qt::Key_Up);
        QCOMPARE(editor.document.ProjectModified, 0);
        QCOMPARE(editor.Snapshots(), snapshots);
        QTest::keyClick(editor.Shape(), Qt::Key_Down);
        QCOMPARE(lamp->GetShape(), 0);
        QCOMPARE(editor.Snapshots(), ++snapshots);
        editor.Logic()->setFocus();
        QTest::keyClick(editor.Logic(), Qt::Key_Down);
        QCOMPARE(lamp->GetLogic(), 0);
        QCOMPARE(lamp->GetState(), 0);
        QCOMPARE(editor.document.ProjectModified, 1);
        QCOMPARE(editor.Snapshots(), ++snapshots);

        // Double size at the corner moves the lamp to 160, 32.
        ClickButton(editor.DoubleSize());
        QCOMPARE(lamp->GetBox().w, 32);
        QCOMPARE(lamp->GetPosition(), (DotPoint{160, 32}));
        QCOMPARE(editor.X()->text(), QString("160"));
        QCOMPARE(editor.Y()->text(), QString("32"));
        QCOMPARE(lamp->GetDoubleSize(), 1);
        ClickButton(editor.DoubleSize());
        QCOMPARE(lamp->GetSize(), (DotSize{16, 16}));
        QCOMPARE(lamp->GetPosition(), (DotPoint{160, 32}));
        QCOMPARE(editor.Snapshots(), snapshots + 2);
    }

    void undoAndRedoShowThePageOfTheSelectedLamp()
    {
        LampEditor editor;
        const std::weak_ptr<CLampElement> placed = editor.PlaceLamp();
        // Deselect the lamp, then change the screen twice.
        QTest::mouseClick(&editor.Canvas(), Qt::LeftButton, {}, QPoint(400, 20));
        auto* description = editor.View().ScreenPage->findChild<QLineEdit*>();
        EnterText(description, "a");
        EnterText(description, "ab");

        // The lamp is not selected in the state restored: the screen page.
        editor.frame->ExecuteCommand(Cmd::Undo);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});
        QCOMPARE(editor.View().ScreenPage->Description(), QString("a"));

        // Back to the lamp as placed, selected: its page, bound to the
        // restored lamp; the placed lamp itself is gone.
        editor.frame->ExecuteCommand(Cmd::Undo);
        const auto restored = editor.document.GetWorkingElements().back().element;
        QVERIFY(placed.expired());
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(editor.Page()->BoundElement(), restored);
        // The page edits the restored lamp.
        EnterText(editor.Station(), "7");
        QCOMPARE(restored->GetStation(), 7);

        editor.frame->ExecuteCommand(Cmd::Undo);
        editor.frame->ExecuteCommand(Cmd::Redo);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.Page()});
        QCOMPARE(editor.Page()->BoundElement(), editor.document.GetWorkingElements().back().element);
        QCOMPARE(editor.Page()->BoundElement()->GetStation(), 7);
    }

    void deletingTheLampShowsTheScreenPage()
    {
        LampEditor editor;
        const std::weak_ptr<CLampElement> lamp = editor.PlaceLamp();
        editor.View().setFocus();
        QTest::keyClick(&editor.View(), Qt::Key_Delete);
        QVERIFY(editor.document.GetWorkingElements().empty());
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});
        // The hidden page's handlers find no lamp.
        QVERIFY(lamp.expired());
        QVERIFY(!editor.Page()->BoundElement());
        const std::size_t snapshots = editor.Snapshots();
        EnterText(editor.X(), "3");
        QCOMPARE(editor.Snapshots(), snapshots);
    }

    void lampsReadWithoutNamesOpenUnbound()
    {
        LampEditor editor;
        editor.PlaceLamp({60, 60});
        editor.PlaceLamp({200, 60});
        // Without the protocol library a record keeps a plain number, no
        // names: the lamps read stay without names (binding them to the first
        // bit element would watch another bit), and the pages stay as they
        // were.
        editor.document.UseProtocolLibrary = 0;
        QTemporaryDir folder;
        const QString path = folder.filePath("lamps.opf");
        editor.ui->files = {path};
        editor.frame->ExecuteCommand(Cmd::FileSave);
        QVERIFY(OpenProjectInto(*editor.frame, path));

        // The group and element name of each lamp on screen 1.
        const auto namesOnScreen1 = [&editor] {
            std::vector<std::pair<std::string, std::string>> names;
            for (const ElementRef& ref : editor.document.FindScreenByNumber(1)->Elements) {
                const auto lamp = std::dynamic_pointer_cast<CLampElement>(ref.element);
                names.emplace_back(lamp->GroupName, lamp->ElementName);
            }
            return names;
        };
        const std::vector<std::pair<std::string, std::string>> unbound(2);
        QCOMPARE(namesOnScreen1(), unbound);
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{editor.View().ScreenPage});
        QCOMPARE(editor.document.ProjectModified, 0);

        // The opened state that undo goes back to holds them unbound too.
        editor.PlaceLamp({120, 120});
        editor.frame->ExecuteCommand(Cmd::Undo);
        QCOMPARE(namesOnScreen1(), unbound);
    }

    void anotherDeviceRebindsTheLampsOfEveryScreen()
    {
        LampEditor editor;
        const auto first = editor.PlaceLamp();
        editor.NewScreen(2);
        const auto second = editor.PlaceLamp();
        first->GroupName = second->GroupName = "Gone";

        editor.document.AddressTable.insert(editor.document.AddressTable.begin(), GroupY());
        editor.document.DeviceChange = 1;
        RebindAllElements(editor.document);
        for (const auto& lamp : {first, second}) {
            QCOMPARE(lamp->GroupName, std::string("Y"));
            QCOMPARE(lamp->ElementName, std::string("Y0"));
        }
        // The page shows the lamp it showed, in the new table.
        QCOMPARE(editor.Page()->BoundElement(), std::shared_ptr<CScreenElement>(second));
        QCOMPARE(editor.Group()->currentText(), QString("Y"));
        QCOMPARE(editor.Group()->count(), 2);
    }
};

QTEST_MAIN(LampPageTest)
#include "LampPageTest.moc"
