// The optional resource file replaces the built-in texts, menus and toolbar
// pictures while it is loaded, and the built-in ones serve without it.

#include "base/ProgramPaths.h"
#include "base/StringTable.h"
#include "model/CVX50TextDoc.h"
#include "shell/CommandIds.h"
#include "shell/ui/CMainFrame.h"
#include "shell/ui/ResourceFile.h"
#include "support/LoggedWarnings.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QtEndian>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <future>

namespace {

void WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

QString Rcc()
{
    return QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + "/rcc";
}

// Compiles a resource file of texts, menus and a toolbar picture into `dir`.
void CompileResourceFile(const QString& dir)
{
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
    compiler.start(Rcc(), {"--binary", "-o", ResourceFile::FileName, "res.qrc"});
    QVERIFY(compiler.waitForFinished());
    QCOMPARE(compiler.exitCode(), 0);
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
        if (!QFile::exists(Rcc()))
            QSKIP("the resource compiler is not installed");
        QTemporaryDir folder;
        const QString dir = folder.path() + "/";
        CompileResourceFile(dir);

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

    // Qt follows the offsets of a registered file unchecked: a damaged file
    // is not registered, and the built-in texts serve.
    void aDamagedFileIsIgnoredWithAWarning()
    {
        if (!QFile::exists(Rcc()))
            QSKIP("the resource compiler is not installed");
        QTemporaryDir folder;
        const QString dir = folder.path() + "/";
        CompileResourceFile(dir);
        QFile file(dir + ResourceFile::FileName);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        const int tree = qFromBigEndian<qint32>(bytes.constData() + 8);
        qToBigEndian<qint32>(0x7FFFFFFF, bytes.data() + tree + 6); // the root's child count
        QVERIFY(file.seek(0));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();

        bool loaded = true;
        const QStringList warnings = WarningsLoggedBy([&] { loaded = ResourceFile::Load(dir); });
        QVERIFY(!loaded);
        QVERIFY(!ResourceFile::IsLoaded());
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains(ResourceFile::FileName), qPrintable(warnings[0]));
        QCOMPARE(QString::fromUtf8(StringUtf8(61212)), QString("文件已修改,是否保存?"));
        QVERIFY(ResourceFile::ToolbarPixmap(Cmd::ToolLamp).isNull());
    }

    // The file is read at start-up: one too large is refused unread with a
    // warning, and a FIFO under its name does not hold the start waiting.
    void anOversizedFileOrAFifoIsIgnored()
    {
        QTemporaryDir folder;
        const QString dir = folder.path() + "/";
        QFile oversized(dir + ResourceFile::FileName);
        QVERIFY(oversized.open(QIODevice::WriteOnly));
        QVERIFY(oversized.resize(static_cast<qint64>(ResourceFile::MaxFileBytes) + 1)); // sparse: no disk used
        oversized.close();
        bool loaded = true;
        const QStringList warnings = WarningsLoggedBy([&] { loaded = ResourceFile::Load(dir); });
        QVERIFY(!loaded);
        QVERIFY(!ResourceFile::IsLoaded());
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].contains("too large"), qPrintable(warnings[0]));
        QCOMPARE(QString::fromUtf8(StringUtf8(61212)), QString("文件已修改,是否保存?"));

        QVERIFY(QFile::remove(dir + ResourceFile::FileName));
        const std::string fifo = QFile::encodeName(dir + ResourceFile::FileName).toStdString();
        QVERIFY(MakeFifo(fifo));
        auto load = std::async(std::launch::async, [&] { return ResourceFile::Load(dir); });
        QVERIFY2(EndsWithoutAWriter(load, fifo), "loading waited for a writer to the FIFO");
        QVERIFY(!load.get());
        QCOMPARE(QString::fromUtf8(StringUtf8(61212)), QString("文件已修改,是否保存?"));
    }
};

QTEST_MAIN(ResourceFileTest)
#include "ResourceFileTest.moc"
