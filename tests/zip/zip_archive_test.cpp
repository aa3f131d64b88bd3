// Archives made to break the reader: each is read from memory and from a file, and what is fine in
// it must still be read beside what is not.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <thread>

#include "support/temp_dir.h"
#include "support/zip_writer.h"
#include "zip/entry_name.h"
#include "zip/entry_source.h"
#include "zip/zip_archive.h"

namespace stepwise::zip {
namespace {

using testing::ZipEntry;
using testing::writeZip;

// An entry as read: its content, or a part of the problem reading it.
struct Read {
    std::string name, content, problem;
};

// Every entry, and the entries of the zips among them, as "outer.zip/inner.txt".
std::vector<Read> readAll(const Archive& archive, const std::string& prefix = "") {
    std::vector<Read> all;
    for (std::size_t i = 0; i < archive.entries().size(); ++i) {
        const std::string name = prefix + archive.entries()[i].name;
        auto data = archive.read(i);
        if (!data) {
            all.push_back({name, "", data.problem()});
        } else if (name.ends_with(".zip")) {
            auto inner = Archive::fromBytes(std::move(data.value()));
            if (!inner) all.push_back({name, "", inner.problem()});
            else for (Read& read : readAll(inner.value(), name + "/")) all.push_back(std::move(read));
        } else {
            all.push_back({name, std::move(data.value()), ""});
        }
    }
    return all;
}

std::string withNumber(std::string bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}
std::size_t secondCentralRecord(const std::string& bytes) { return bytes.find("PK\1\2", bytes.find("PK\1\2") + 1); }

struct Case {
    std::string what;
    std::string archive;
    std::string openProblem;  // a part of it; "" when the archive opens
    std::vector<Read> entries;
};

Read reads(const std::string& name, const std::string& content) { return {name, content, ""}; }
// The problem starts with the entry's name.
Read fails(const std::string& name, const std::string& problem) { return {name, "", name + ": " + problem}; }

std::vector<Case> hostileCases() {
    using testing::deflateRaw;
    using testing::unicodePathField;
    const ZipEntry ok{.name = "ok.txt", .content = "still read"};
    const Read okRead = reads("ok.txt", "still read");
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + " of a student's notes\r\n";
    const std::string zeros(10'000'000, '\0');
    const std::string two = writeZip({{.name = "a.txt", .content = "alpha", .method = 0}, {.name = "b.txt", .content = text}});
    const std::size_t secondOffset = secondCentralRecord(two) + 42;
    const std::string cp437Name = "Gr\x94\xE1" "e \x9C.txt", utf8Name = "\xC3\xA9t\xC3\xA9.txt", oddName = "r\x94" "d.txt";
    return {
        {"stored and deflated", two, "", {reads("a.txt", "alpha"), reads("b.txt", text)}},
        {"truncated archive", two.substr(0, two.size() - 10), "no end of central directory", {}},
        {"bad CRC, stored sizes that differ",
         writeZip({{.name = "bad.txt", .content = text, .crc = 0x1234},
                   {.name = "sizes.txt", .content = "x", .method = 0, .size = 2}, ok}),
         "", {fails("bad.txt", "CRC mismatch"), fails("sizes.txt", "damaged: stored, yet its sizes differ"), okRead}},
        {"encrypted flag", writeZip({{.name = "secret.txt", .content = text, .flags = 1}, ok}), "",
         {fails("secret.txt", "encrypted"), okRead}},
        {"method 12", writeZip({{.name = "b.bz2", .content = "BZh91AY&SY", .method = 12}, ok}), "",
         {fails("b.bz2", "compressed with method 12 (bzip2)"), okRead}},
        {"bomb: 10 MB of zeros", writeZip({{.name = "bomb.bin", .content = zeros}, ok}), "",
         {fails("bomb.bin", "compressed more than 200:1"), okRead}},
        {"bomb declaring a small size", writeZip({{.name = "bomb.bin", .content = zeros, .size = 1000}, ok}), "",
         {fails("bomb.bin", "inflates to more than the 1000 bytes"), okRead}},
        {"entry declared over 64 MB", writeZip({{.name = "big.bin", .content = "x", .method = 0, .size = 70'000'000}, ok}), "",
         {fails("big.bin", "70000000 bytes uncompressed, over the limit of 64 MB"), okRead}},
        {"small entry compressed over 200:1", writeZip({{.name = "blank.txt", .content = std::string(100'000, ' ')}}), "",
         {reads("blank.txt", std::string(100'000, ' '))}},
        {"deflate streams cut short, garbled, too long and too short",
         writeZip({{.name = "cut.txt", .content = text, .data = deflateRaw(text).substr(0, 100)},
                   {.name = "garbled.txt", .content = text, .data = std::string(100, '\xFF')},
                   {.name = "long.txt", .content = text, .data = deflateRaw(text) + "junk"},
                   {.name = "short.txt", .content = text, .size = text.size() + 1}, ok}),
         "", {fails("cut.txt", "truncated or damaged"), fails("garbled.txt", "damaged"), fails("long.txt", "damaged: 4 bytes"),
              fails("short.txt", "damaged: it inflates to"), okRead}},
        {"local header running into the next entry", withNumber(two, 26, 20 << 16 | 5), "",
         {fails("a.txt", "damaged: its data run into the next entry"), reads("b.txt", text)}},
        {"local header gone", withNumber(two, 0, 0), "",
         {fails("a.txt", "damaged: its local header is missing"), reads("b.txt", text)}},
        {"ZIP64 records on a small archive",
         writeZip({{.name = "a.txt", .content = "alpha", .method = 0}, {.name = "b.txt", .content = text, .flags = 8}, ok}, true),
         "", {reads("a.txt", "alpha"), reads("b.txt", text), okRead}},
        {"data descriptors with and without signature",
         writeZip({{.name = "signed.txt", .content = text, .flags = 8},
                   {.name = "unsigned.txt", .content = "stored", .method = 0, .flags = 8, .descriptorSignature = false}, ok}),
         "", {reads("signed.txt", text), reads("unsigned.txt", "stored"), okRead}},
        {"code page 437 and unflagged UTF-8 names",
         writeZip({{.name = cp437Name, .content = "a"}, {.name = "na\xC3\xAFve.txt", .content = "b"}}), "",
         {reads("Größe £.txt", "a"), reads("naïve.txt", "b")}},
        {"UTF-8 flag over a Unicode Path field",
         writeZip({{.name = utf8Name, .content = "a", .flags = 0x800, .extra = unicodePathField(utf8Name, "other.txt")}}), "",
         {reads("été.txt", "a")}},
        {"Unicode Path field, good CRC",
         writeZip({{.name = oddName, .content = "a", .extra = unicodePathField(oddName, "rød.txt")}}), "", {reads("rød.txt", "a")}},
        {"Unicode Path field, bad CRC",
         writeZip({{.name = oddName, .content = "a", .extra = unicodePathField("rod.txt", "rød.txt")}}), "", {reads("röd.txt", "a")}},
        {"zip inside a zip", writeZip({{.name = "inner.zip", .content = two, .method = 0}, ok}), "",
         {reads("inner.zip/a.txt", "alpha"), reads("inner.zip/b.txt", text), okRead}},
        {"longest comment, holding an end record signature", writeZip({ok}, false, "PK\5\6" + std::string(0xFFFF - 4, 'c')), "",
         {okRead}},
        {"two entries on the same bytes", withNumber(two, secondOffset, 0), "entries a.txt and b.txt overlap", {}},
        {"an entry starting inside another's data", withNumber(two, secondOffset, 33), "entries a.txt and b.txt overlap", {}},
        {"offset past the data", withNumber(two, secondOffset, 0x7FFFFFFF), "b.txt lies outside", {}},
        {"central directory record damaged", withNumber(two, secondCentralRecord(two), 0), "damaged central directory", {}},
        {"more than 100,000 entries", writeZip(std::vector(maxEntries + 1, ZipEntry{.name = "e", .method = 0}), true),
         "it has 100001 entries", {}},
    };
}

TEST(ZipArchive, HostileArchivesFailOnlyWhereTheyAreBad) {
    const testing::TempDir dir;
    for (const Case& row : hostileCases()) {
        for (const bool fromFile : {false, true}) {
            SCOPED_TRACE(row.what + (fromFile ? " (file)" : " (memory)"));
            const std::filesystem::path path = dir.path() / u8"\u00D6vning.zip";  // a name outside ASCII
            if (fromFile) std::ofstream(path, std::ios::binary) << row.archive;
            const auto archive = fromFile ? Archive::open(path) : Archive::fromBytes(row.archive);
            if (!row.openProblem.empty()) {
                ASSERT_FALSE(archive);
                EXPECT_NE(archive.problem().find(row.openProblem), std::string::npos) << archive.problem();
                continue;
            }
            ASSERT_TRUE(archive) << archive.problem();
            const std::vector<Read> all = readAll(archive.value());
            ASSERT_EQ(all.size(), row.entries.size());
            for (std::size_t i = 0; i < all.size(); ++i) {
                EXPECT_EQ(all[i].name, row.entries[i].name);
                EXPECT_TRUE(all[i].content == row.entries[i].content) << all[i].name << ": " << all[i].content.size()
                                                                       << " bytes";
                if (row.entries[i].problem.empty()) EXPECT_EQ(all[i].problem, "");
                else EXPECT_TRUE(all[i].problem.starts_with(row.entries[i].problem)) << all[i].problem;
            }
        }
    }
}

// Zips in one zip share the one inflated entry; the class is looked through for identical files on
// two threads, each reading entries of a different zip: every read gets its own entry's bytes.
TEST(ZipInZip, EntriesOfTwoZipsReadOnTwoThreadsAtOnceComeOutWhole) {
    const testing::TempDir dir;
    std::vector<std::string> contents;
    std::vector<ZipEntry> inners;
    for (int zip = 0; zip < 2; ++zip) {
        std::string content(1 << 20, '\0');
        std::uint32_t state = 12345u + static_cast<std::uint32_t>(zip);
        for (char& c : content) c = static_cast<char>('a' + (state = state * 1103515245u + 12345u) % 26);
        inners.push_back({.name = "inner" + std::to_string(zip) + ".zip",
                          .content = writeZip({{.name = "send_1207Ann.txt", .content = content}}), .method = 0});
        contents.push_back(std::move(content));
    }
    const std::filesystem::path path = dir.path() / "class.zip";
    std::ofstream(path, std::ios::binary) << writeZip(inners);
    auto outer = Archive::open(path);
    ASSERT_TRUE(outer) << outer.problem();
    const auto shared = std::make_shared<const Archive>(std::move(outer.value()));
    const auto kept = std::make_shared<InflatedEntry>();
    std::vector<Archive> zips;
    for (std::size_t i = 0; i < 2; ++i) {
        auto zip = Archive::fromSource(entrySource(shared, i, kept));
        ASSERT_TRUE(zip) << zip.problem();
        zips.push_back(std::move(zip.value()));
    }
    int wrong[2] = {0, 0};
    const auto readOften = [&](std::size_t zip) {
        for (int time = 0; time < 200; ++time) {
            const auto read = zips[zip].read(0);
            if (!read || read.value() != contents[zip]) ++wrong[zip];
        }
    };
    std::thread other(readOften, 1);
    readOften(0);
    other.join();
    EXPECT_EQ(wrong[0], 0);
    EXPECT_EQ(wrong[1], 0);
}

TEST(ZipNames, OnlyWellFormedUtf8IsTakenForUtf8) {
    const std::pair<std::string, bool> cases[] = {
        {"plain", true}, {"\xE2\x82\xAC \xF0\x9F\x98\x80", true}, {"\xC0\xAF", false}, {"\xE0\x80\xAF", false},
        {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false}, {"\xE2\x82", false}, {"\x80", false}, {"\xC3\xA9\xA9", false},
    };
    for (const auto& [bytes, utf8] : cases) EXPECT_EQ(isUtf8(bytes), utf8) << ::testing::PrintToString(bytes);
}

TEST(ZipNames, CodePage437GivesEachHighByteItsOwnCharacter) {
    std::set<std::string> seen;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const std::string character = cp437ToUtf8(std::string(1, static_cast<char>(b)));
        EXPECT_TRUE(isUtf8(character) && static_cast<unsigned char>(character[0]) >= 0xC2) << b;
        seen.insert(character);
    }
    EXPECT_EQ(seen.size(), 128u);
    EXPECT_EQ(cp437ToUtf8("\x80\x9E\xB0\xC5\xE0\xE4\xFB\xFF"), "Ç₧░┼αΣ√\u00A0");
}

}  // namespace
}  // namespace stepwise::zip
