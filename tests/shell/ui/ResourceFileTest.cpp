// The optional resource file replaces the built-in texts, menus and toolbar
// pictures while it is loaded, and the built-in ones serve without it.

#include "shell/ui/CMainFrame.h"
#include "shell/ui/ResourceFile.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "base/ProgramPaths.h"
#include "StringTable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

} // namespace

class ResourceFileTest : public QObject {
    Q_OBJECT

private slots:
    void withoutTheFileTheBuiltInResourcesServe()
    {
        QTemporaryDir folder;
        QVERIFY(!ResourceFile::Load(folder.path() + "/"));
        QVERIFY(!ResourceFile::IsLoaded());
        QCOMPARE(QString::fromUtf8(StringUtf8(61212)), QString("文件已修改,是否保存?"));
        QCOMPARE(ResourceFile::MenuText("57600", "built-in"), QString("built-in"));
        QVERIFY(ResourceFile::ToolbarPixmap(Cmd::ToolLamp).isNull());
    }

    void theFileReplacesTextsMenusAndPictures()
    {
        const QString rcc = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/rcc";
        if (!QFile::exists(rcc))
            QSKIP("the resource compiler is not installed");
        QTemporaryDir folder;
        const QString dir = folder.path() + "/";
        WriteText(dir + "strings.txt", "61212\tSave the changes?\n57344\tPanel Editor\n61338\tScreen:\\tno.\n");
        WriteText(dir + "menus.txt", "57600\tNew\\tCtrl+N\nmenu0\tFile\n");
        QImage picture(20, 20, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QVERIFY(QDir(dir).mkpath("toolbar"));
        QVERIFY(picture.save(dir + "toolbar/32774.png"));
        WriteText(dir + "res.qrc", "<RCC><qresource prefix=\"/\"><file>strings.txt</file><file>menus.txt</file>"
                                   "<file>toolbar/32774.png</file></qresource></RCC>");
        QProcess compiler;
        compiler.setWorkingDirectory(dir);
        compiler.start(rcc, {"--binary", "-o", ResourceFile::FileName, "res.qrc"});
        QVERIFY(compiler.waitForFinished());
        QCOMPARE(compiler.exitCode(), 0);

        QVERIFY(ResourceFile::Load(dir));
        QCOMPARE(QString::fromUtf8(StringUtf8(61212)), QString("Save the changes?"));
        QCOMPARE(QString::fromUtf8(StringUtf8(61338)), QString("Screen:\tno."));
        // Ids the file leaves out keep their built-in text.
        QCOMPARE(QString::fromUtf8(StringUtf8(61205)), QString("工程"));
        {
            SetProgramFolder(dir.toStdString()); // "PZ.DAT" of the frame lands here
            CVX50TextDoc document;
            CMainFrame frame(document);
            QCOMPARE(frame.Action(Cmd::FileNew)->text(), QString("New\tCtrl+N"));
            QCOMPARE(frame.Action(Cmd::FileOpen)->text(), QString("打开...\tCtrl+&O"));
            QCOMPARE(frame.menuBar()->actions().first()->text(), QString("File"));
            const QImage icon = frame.Action(Cmd::ToolLamp)->icon().pixmap(20, 20).toImage();
            QCOMPARE(icon.pixelColor(10, 10), QColor(Qt::red));
        }

        ResourceFile::Unload();
        QVERIFY(!ResourceFile::IsLoaded());
        QCOMPARE(QString::fromUtf8(StringUtf8(61212)), QString("文件已修改,是否保存?"));
    }
};

QTEST_MAIN(ResourceFileTest)
#include "ResourceFileTest.moc"
