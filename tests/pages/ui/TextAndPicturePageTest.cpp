// The static-text and picture pages in the editor: the text rules of the
// panel's static texts, and the picture's position and size without undo
// snapshots.

#include "model/elements/CPictureElement.h"
#include "model/elements/CTextElement.h"
#include "pages/ui/CPicturePropertyDlg.h"
#include "pages/ui/CTextPropertyDlg.h"
#include "support/PageTesting.h"
#include "support/ScriptedEditor.h"

#include <QCheckBox>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct PageEditor : ScriptedEditor {
    template <class Element>
    std::shared_ptr<Element> Last() const
    {
        return std::dynamic_pointer_cast<Element>(document.GetWorkingElements().back().element);
    }
    std::shared_ptr<CTextElement> PlaceText(QPoint at)
    {
        Place(Cmd::ToolStaticText, at);
        return Last<CTextElement>();
    }
    // A picture of 48 x 24 dots placed at pixel `at`.
    std::shared_ptr<CPictureElement> PlacePicture(QPoint at)
    {
        QImage picture(48, 24, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).fillRect(8, 4, 32, 16, Qt::black);
        Canvas().PictureBitmap = picture;
        Canvas().CurrentTool = ToolPicture;
        QTest::mouseClick(&Canvas(), Qt::LeftButton, {}, at);
        return Last<CPictureElement>();
    }
    QLineEdit* Field(QWidget* page, const char* label) const
    {
        return FieldOf<QLineEdit>(page, QString::fromUtf8(label));
    }
    QCheckBox* Box(QWidget* page, const char* text) const
    {
        for (QCheckBox* box : page->findChildren<QCheckBox*>())
            if (box->text() == QString::fromUtf8(text))
                return box;
        return nullptr;
    }
    std::size_t Snapshots() const { return document.UndoHistory.size(); }
};

} // namespace

class TextAndPicturePageTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_folder;

private slots:
    void initTestCase() { QVERIFY(UseProgramFolderWithShippedDevice(m_folder.path())); }

    void theStaticTextFollowsItsText()
    {
        PageEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto text = editor.PlaceText({250, 40});
        CTextPropertyDlg* page = editor.View().TextPage;
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{page});
        QLineEdit* field = editor.Field(page, "文字串:");
        QCOMPARE(field->text(), QString("文本串"));
        QVERIFY(ShowsWholeLayout(page));
        QVERIFY(SavePicture(editor.frame.get(), "text-page.png"));

        std::size_t snapshots = editor.Snapshots();
        // At x 140, 8 bytes (64 dots) move the text to 128.
        EnterText(editor.Field(page, "X:"), "140");
        EnterText(field, "abcdefgh");
        QCOMPARE(text->GetText(), std::string("abcdefgh"));
        QCOMPARE(text->GetBox().w, 64);
        QCOMPARE(text->GetPosition().x, 128);
        QCOMPARE(editor.Field(page, "X:")->text(), QString("128"));
        snapshots += 2;
        QCOMPARE(editor.Snapshots(), snapshots);

        // 24 bytes fill the display from x 0; a 25th byte is refused.
        EnterText(field, QString(24, 'a'));
        QCOMPARE(text->GetBox().w, 192);
        QCOMPARE(text->GetPosition().x, 0);
        QTest::keyClick(field, Qt::Key_B);
        QCOMPARE(field->text(), QString(24, 'a'));
        QCOMPARE(text->GetText(), std::string(24, 'a'));

        // Double size cuts a two-byte character at bytes 11 and 12 whole.
        EnterText(field, QString("aaaaaaaaaaa中b"));
        editor.Box(page, "倍角")->click();
        QCOMPARE(text->GetText(), std::string(11, 'a'));
        QCOMPARE(text->GetBox().w, 176);
        QCOMPARE(field->text(), QString(11, 'a'));
        QCOMPARE(text->GetDoubleSize(), 1);
        // At double size the 13th byte is refused.
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClicks(field, "cd");
        QCOMPARE(text->GetText(), std::string(11, 'a') + "c");
        editor.Box(page, "倍角")->click();
        QCOMPARE(text->GetSize(), (DotSize{96, 16}));
        QCOMPARE(text->GetText(), std::string(11, 'a') + "c");

        editor.Box(page, "反相")->click();
        QCOMPARE(text->IsInverse(), 1);
    }

    void thePictureChangesItsBoxWithoutSnapshots()
    {
        PageEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto picture = editor.PlacePicture({25, 20});
        CPicturePropertyDlg* page = editor.View().PicturePage;
        QCOMPARE(editor.VisiblePages(), std::vector<CPropertyDlg*>{page});
        QCOMPARE(picture->GetSize(), (DotSize{48, 24}));
        QVERIFY(ShowsWholeLayout(page));
        QVERIFY(SavePicture(editor.frame.get(), "picture-page.png"));

        const std::size_t snapshots = editor.Snapshots();
        editor.document.ProjectModified = 0;
        EnterText(editor.Field(page, "X:"), "10");
        QCOMPARE(picture->GetPosition().x, 10);
        QCOMPARE(editor.document.ProjectModified, 1);

        QLineEdit* width = editor.Field(page, "宽:");
        EnterText(width, "192");
        QCOMPARE(picture->GetBox().w, 192);
        QCOMPARE(picture->GetPosition().x, 0);
        QCOMPARE(editor.Field(page, "X:")->text(), QString("0"));
        // The bitmap keeps its size; only the box changed.
        QCOMPARE(picture->BitmapWidth(), 48);
        for (const char* refused : {"193", "0"}) {
            EnterText(width, refused);
            QCOMPARE(width->text(), QString("192"));
            QCOMPARE(picture->GetBox().w, 192);
        }
        EnterText(editor.Field(page, "高:"), "64");
        QCOMPARE(picture->GetBox().h, 64);
        QCOMPARE(picture->GetPosition().y, 0);
        QCOMPARE(editor.Snapshots(), snapshots);
    }

    void keysInThePictureFieldsActOnce()
    {
        PageEditor editor;
        QVERIFY(QTest::qWaitForWindowExposed(editor.frame.get()));
        const auto picture = editor.PlacePicture({25, 20});
        QLineEdit* width = editor.Field(editor.View().PicturePage, "宽:");
        EnterText(width, "32");
        QTest::keyClick(width, Qt::Key_Home);
        QTest::keyClick(width, Qt::Key_Right);
        QCOMPARE(width->cursorPosition(), 1);
        QTest::keyClick(width, Qt::Key_End);
        QCOMPARE(width->cursorPosition(), 2);
        QTest::keyClick(width, Qt::Key_Home);
        QTest::keyClick(width, Qt::Key_Delete);
        QCOMPARE(width->text(), QString("2"));
        QCOMPARE(picture->GetBox().w, 2);
        // The key stayed in the field: the picture is still there.
        QCOMPARE(editor.document.GetWorkingElements().size(), std::size_t(1));
    }
};

QTEST_MAIN(TextAndPicturePageTest)
#include "TextAndPicturePageTest.moc"
