// The check of a binary resource file before Qt registers it. The fixture
// was made by rcc --binary from four files: strings.txt (zstd), menus.txt
// (zlib), note.txt (stored) and sub/deeper.txt.

#include "shell/ResourceFileCheck.h"

#include "support/TestFiles.h"
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QFile>
#include <QResource>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace {

const QString kRoot = QStringLiteral("/vx50check");

std::string Fixture()
{
    return ReadTestFile(SourceDir() + "/tests/shell/fixtures/VX50Resource.rcc").value_or("");
}

std::uint32_t Get(const std::string& bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int k = 0; k < size; ++k)
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(k)));
    return value;
}

void Put(std::string& bytes, std::size_t at, int size, std::uint32_t value)
{
    for (int k = size - 1; k >= 0; --k, value >>= 8)
        bytes.at(at + static_cast<std::size_t>(k)) = static_cast<char>(value & 0xFF);
}

// The fixture's layout: header offsets and its nodes of 22 bytes.
struct Layout {
    explicit Layout(const std::string& bytes)
        : tree(Get(bytes, 8, 4)), data(Get(bytes, 12, 4)), names(Get(bytes, 16, 4))
    {
    }
    std::size_t Node(int index) const { return tree + 22 * static_cast<std::size_t>(index); }
    std::size_t tree, data, names;
};

// The first node whose flags are `flags` (1 zlib, 2 directory, 4 zstd).
int NodeWithFlags(const std::string& bytes, std::uint32_t flags)
{
    const Layout layout(bytes);
    for (int index = 1; layout.Node(index) + 22 <= bytes.size(); ++index)
        if (Get(bytes, layout.Node(index) + 4, 2) == flags)
            return index;
    return -1;
}

// Registers the bytes and reads every file they hold, as the editor's
// look-ups would; returns the texts read, one after the other.
std::string RegisterAndReadAll(const std::string& bytes)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.data());
    if (!QResource::registerResource(data, kRoot))
        return {};
    std::string read;
    QDirIterator it(":" + kRoot, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            read += file.readAll().toStdString();
    }
    QResource::unregisterResource(data, kRoot);
    return read;
}

TEST(ResourceFileCheck, FileMadeByRccIsSoundAndReadsWhole)
{
    const std::string file = Fixture();
    ASSERT_FALSE(file.empty());
    ASSERT_GE(NodeWithFlags(file, 1), 0);
    ASSERT_GE(NodeWithFlags(file, 4), 0);
    EXPECT_TRUE(IsSoundResourceFile(file));
    const std::string read = RegisterAndReadAll(file);
    for (const char* text : {"61411\tFirmware V%.1f", "menu0\tFile", "plain text stored as it is", "deeper"})
        EXPECT_NE(read.find(text), std::string::npos) << text;
}

TEST(ResourceFileCheck, DamagedHeaderTreeNamesAndDataAreRefused)
{
    const std::string good = Fixture();
    const Layout layout(good);
    const int zlib = NodeWithFlags(good, 1);
    const int zstd = NodeWithFlags(good, 4);
    const std::size_t zlibData = layout.data + Get(good, layout.Node(zlib) + 10, 4);
    const std::size_t zstdData = layout.data + Get(good, layout.Node(zstd) + 10, 4);
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
    };
    const Case cases[] = {
        {"not qres", [](std::string& b) { b[0] = 'Q'; }},
        {"version 0", [](std::string& b) { Put(b, 4, 4, 0); }},
        {"version 4", [](std::string& b) { Put(b, 4, 4, 4); }},
        {"cut inside the header", [](std::string& b) { b.resize(22); }},
        {"tree at the end", [](std::string& b) { Put(b, 8, 4, static_cast<std::uint32_t>(b.size())); }},
        {"tree before the start", [](std::string& b) { Put(b, 8, 4, 0xFFFFFF00); }},
        {"names before the start", [](std::string& b) { Put(b, 16, 4, 0x80000000); }},
        {"data past the end", [](std::string& b) { Put(b, 12, 4, 0x7FFFFFFF); }},
        {"an unknown compression", [](std::string& b) { Put(b, 20, 4, 0x08); }},
        {"root with children past the end", [&](std::string& b) { Put(b, layout.Node(0) + 6, 4, 0x7FFFFFFF); }},
        {"root that is its own child", [&](std::string& b) { Put(b, layout.Node(0) + 10, 4, 0); }},
        {"first child far away", [&](std::string& b) { Put(b, layout.Node(0) + 10, 4, 0x10000000); }},
        {"name past the end", [&](std::string& b) { Put(b, layout.Node(1), 4, 0xFFFFFFF0); }},
        {"name longer than the file", [&](std::string& b) { Put(b, layout.names, 2, 0xFFFF); }},
        {"empty name", [&](std::string& b) { Put(b, layout.names, 2, 0); }},
        {"name \"..\"", [&](std::string& b) {
             Put(b, layout.names, 2, 2);
             Put(b, layout.names + 6, 4, 0x002E002E);
         }},
        {"name with \"/\"", [&](std::string& b) { Put(b, layout.names + 6, 2, '/'); }},
        {"data offset past the end", [&](std::string& b) { Put(b, layout.Node(zlib) + 10, 4, 0x7FFFFFF0); }},
        {"data longer than the file", [&](std::string& b) { Put(b, zlibData, 4, 0xFFFFFFF0); }},
        {"zlib and zstd at once", [&](std::string& b) { Put(b, layout.Node(zlib) + 4, 2, 5); }},
        {"zlib stating 4 GB", [&](std::string& b) { Put(b, zlibData + 4, 4, 0xFFFFFFFF); }},
        {"zstd stating 4 GB", [&](std::string& b) {
             b[zstdData + 8] = static_cast<char>(0xA0); // single segment, 4-byte content size
             Put(b, zstdData + 9, 4, 0xFFFFFFFF);
         }},
        {"zstd that is no zstd frame", [&](std::string& b) { b[zstdData + 4] = 0; }},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        c.damage(bad);
        EXPECT_FALSE(IsSoundResourceFile(bad)) << c.what;
    }
}

// Every file cut short, and every byte changed in turn: what the check lets
// through is registered and read whole without a fault.
TEST(ResourceFileCheck, WhatPassesIsSafeToRegister)
{
    const std::string good = Fixture();
    ASSERT_FALSE(good.empty());
    for (std::size_t size = 0; size < good.size(); ++size) {
        const std::string cut = good.substr(0, size);
        if (IsSoundResourceFile(cut))
            RegisterAndReadAll(cut);
    }
    int passed = 0;
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const unsigned char change : {0x01, 0x80, 0xFF}) {
            std::string changed = good;
            changed[at] = static_cast<char>(changed[at] ^ change);
            if (IsSoundResourceFile(changed)) {
                ++passed;
                RegisterAndReadAll(changed);
            }
        }
    }
    EXPECT_GT(passed, 0); // changes of texts and hashes stay harmless
}

} // namespace
