#include "base/StringTable.h"

#include "base/GbkText.h"
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace {

QString ReadSource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The names of res/StringIds.h with their numbers.
std::map<std::string, int> StringIdNames()
{
    static const QRegularExpression entry(R"(^\s*(Ids\w+)\s*=\s*(\d+))", QRegularExpression::MultilineOption);
    std::map<std::string, int> names;
    const QString header = ReadSource(QString::fromStdString(SourceDir() + "/res/StringIds.h"));
    for (auto m = entry.globalMatch(header); m.hasNext();) {
        const auto match = m.next();
        names.emplace(match.captured(1).toStdString(), match.captured(2).toInt());
    }
    return names;
}

bool InStringOnlyRange(int id)
{
    return (id >= 61204 && id <= 61599) || id == 57344 || id == 57345;
}

// Every string id the sources name, by the name of res/StringIds.h, as the
// number argument of a string or message call, or as any number in the
// ranges that only string ids use. A name the header lacks maps to -1.
std::map<std::string, std::pair<int, std::string>> StringIdsUsedInSources(const std::map<std::string, int>& names)
{
    static const QRegularExpression name(R"(\b(Ids[A-Z]\w*))");
    static const QRegularExpression call(R"((?:StringUtf8|StringGbk|StringQ\w*|UiText|ShowMessage)\s*\(\s*(\d+))");
    static const QRegularExpression number(R"(\b(\d{5})\b)");
    std::map<std::string, std::pair<int, std::string>> used; // how it is written -> id, first file
    QDirIterator it(QString::fromStdString(SourceDir() + "/src"), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString text = ReadSource(path);
        for (auto m = name.globalMatch(text); m.hasNext();) {
            const std::string written = m.next().captured(1).toStdString();
            const auto found = names.find(written);
            used.emplace(written, std::pair(found == names.end() ? -1 : found->second, path.toStdString()));
        }
        for (const auto* re : {&call, &number}) {
            for (auto m = re->globalMatch(text); m.hasNext();) {
                const QString written = m.next().captured(1);
                if (re == &call || InStringOnlyRange(written.toInt()))
                    used.emplace(written.toStdString(), std::pair(written.toInt(), path.toStdString()));
            }
        }
    }
    return used;
}

bool HasTextOrIsWithout(int id)
{
    return StringUtf8(id) || IsStringWithoutBuiltInText(id);
}

} // namespace

TEST(StringTable, EveryIdTheSourcesUseHasAText)
{
    const auto used = StringIdsUsedInSources(StringIdNames());
    EXPECT_GT(used.size(), 50u);
    for (const auto& [written, use] : used) {
        const auto& [id, file] = use;
        EXPECT_NE(id, -1) << written << " (used in " << file << ") is not in res/StringIds.h";
        EXPECT_TRUE(id == -1 || HasTextOrIsWithout(id)) << "string " << written << " used in " << file;
    }
}

// The header names each id of the table once, and nothing else.
TEST(StringTable, NamesAndTableHoldTheSameIds)
{
    const auto names = StringIdNames();
    std::map<int, std::string> byNumber;
    for (const auto& [name, id] : names) {
        EXPECT_TRUE(HasTextOrIsWithout(id)) << name << " = " << id;
        const auto [it, fresh] = byNumber.emplace(id, name);
        EXPECT_TRUE(fresh) << name << " and " << it->second << " both name " << id;
    }
    for (int id = 0; id < 65536; ++id)
        EXPECT_TRUE(!HasTextOrIsWithout(id) || byNumber.count(id)) << "no name for string " << id;
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
