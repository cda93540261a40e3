#include "StringTable.h"

#include "base/GbkText.h"
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

namespace {

// Every string id the sources name: the argument of a string or message call
// written as a number, and any number in the ranges that only string ids use
// (so ids kept in named constants are found too).
std::map<int, std::string> StringIdsUsedInSources()
{
    static const QRegularExpression call(R"((?:StringUtf8|StringGbk|StringQ\w*|ShowMessage)\s*\(\s*(\d+))");
    static const QRegularExpression number(R"(\b(\d{5})\b)");
    std::map<int, std::string> used; // id -> first file naming it
    QDirIterator it(QString::fromStdString(SourceDir() + "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        auto take = [&](const QRegularExpression& re, bool onlyStringRanges) {
            for (auto m = re.globalMatch(text); m.hasNext();) {
                const int id = m.next().captured(1).toInt();
                const bool inStringRange = (id >= 61204 && id <= 61418) || id == 57344 || id == 57345;
                if (!onlyStringRanges || inStringRange)
                    used.emplace(id, path.toStdString());
            }
        };
        take(call, false);
        take(number, true);
    }
    return used;
}

} // namespace

TEST(StringTable, EveryIdTheSourcesUseHasAText)
{
    const auto used = StringIdsUsedInSources();
    EXPECT_FALSE(used.empty());
    for (const auto& [id, file] : used)
        EXPECT_TRUE(StringUtf8(id) || IsStringWithoutBuiltInText(id)) << "string " << id << " used in " << file;
}

TEST(StringTable, EveryTextConvertsToGbkAndBack)
{
    int count = 0;
    for (int id = 0; id < 65536; ++id) {
        const char* text = StringUtf8(id);
        if (!text)
            continue;
        ++count;
        const std::string gbk = StringGbk(id);
        EXPECT_FALSE(gbk.empty()) << id;
        EXPECT_EQ(Utf8FromGbk(gbk), text) << id;
    }
    EXPECT_GT(count, 200);
}

TEST(StringTable, TextsAsTheCallersComposeThem)
{
    EXPECT_STREQ(StringUtf8(61250), "没选设备或地址表文件出错!");
    EXPECT_EQ(StringGbk(61298), "\xCE\xBB\xD4\xAA\xBC\xFE"); // 位元件
    EXPECT_STREQ(StringUtf8(32774), "指示灯\n指示灯");
    EXPECT_STREQ(StringUtf8(61225), "已存在!\n要替换它吗?");
    EXPECT_STREQ(StringUtf8(61327), "设备名不能包括以下字符:\\ / : ? > < | * \" ");
    EXPECT_EQ(std::string(StringUtf8(61412)), "下位机版本:" + std::string(38, ' '));
    EXPECT_EQ(StringUtf8(61416), nullptr);
    EXPECT_TRUE(IsStringWithoutBuiltInText(61418));
    EXPECT_FALSE(IsStringWithoutBuiltInText(61250));
    EXPECT_EQ(StringGbk(1), "");
}
