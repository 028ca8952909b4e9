#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "files/archive_index.h"
#include "files/archive_writer.h"
#include "files/archives.h"
#include "files/program_data.h"
#include "support/engine_fixture.h"
#include "support/files_helpers.h"

namespace qeli::files {
namespace {

using testing::bytesOf;
using testing::sjis;
using testing::writeFile;

using Members = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

class ArchiveTest : public testing::EngineTest {
protected:
    void pack(const std::string& archive, const Members& members) { writeFile(archive, buildArchive(members)); }
    std::string readText(std::string_view name) {
        auto data = readProgramData(name);
        return data ? std::string(data->text()) : "<none>";
    }
};

TEST_F(ArchiveTest, SearchesTheArchivesInTheirFixedOrder) {
    // Each archive holds "which" naming itself, and one name only it holds.
    for (const char* archive : {"data01.qlc", "data02.qlc", "data03.qlc", "data04.qlc", "data05.qlc"})
        pack(archive, {{"which", bytesOf(archive)}, {std::string("only-") + archive, bytesOf(archive)}});
    EXPECT_EQ(readText("which"), "data04.qlc");
    for (const char* archive : {"data01.qlc", "data02.qlc", "data03.qlc", "data04.qlc", "data05.qlc"})
        EXPECT_EQ(readText(std::string("only-") + archive), archive);

    std::filesystem::remove("data04.qlc");
    resetArchives();
    EXPECT_EQ(readText("which"), "data01.qlc");
    std::filesystem::remove("data01.qlc");
    resetArchives();
    EXPECT_EQ(readText("which"), "data02.qlc") << "a missing data01.qlc must not hide the others";
}

TEST_F(ArchiveTest, FoldsOnlyAsciiLetters) {
    pack("data01.qlc", {{"system\\black.png", bytesOf("black")},
                        {sjis("ａ.txt"), bytesOf("full-width a")},
                        {sjis("ア.txt"), bytesOf("a")}});
    EXPECT_EQ(readText("SYSTEM\\Black.PNG"), "black");
    EXPECT_EQ(readText(sjis("ａ.txt")), "full-width a");
    EXPECT_EQ(readText(sjis("Ａ.txt")), "<none>") << "full-width letters keep their case";
    // ア is 83 41 and ヂ is 83 61: only a trail byte tells them apart, and it is never folded.
    EXPECT_EQ(readText(sjis("ヂ.txt")), "<none>");
    EXPECT_EQ(readText(sjis("ア.TXT")), "a");
}

TEST_F(ArchiveTest, FirstEntryOfAnArchiveWinsAndDataEndsWithAZero) {
    pack("data01.qlc", {{"Start.qls", bytesOf("first")}, {"start.qls", bytesOf("second")}, {"empty", {}}});
    auto data = readProgramData("START.QLS");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(), "first");
    EXPECT_EQ(data->data()[data->size()], 0);
    auto empty = readProgramData("empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_EQ(empty->data()[0], 0);
    EXPECT_TRUE(existsInArchives("EMPTY"));
    EXPECT_FALSE(existsInArchives("missing"));
}

TEST_F(ArchiveTest, ArchiveComesBeforeTheLooseFile) {
    pack("data02.qlc", {{"default.ini", bytesOf("from archive")}});
    writeFile("default.ini", "from disk");
    writeFile("loose.txt", "only on disk");
    EXPECT_EQ(readText("default.ini"), "from archive");
    EXPECT_EQ(readText("loose.txt"), "only on disk");
}

TEST_F(ArchiveTest, ArchiveFileNamesIgnoreLetterCase) {
    writeFile("DATA01.QLC", buildArchive({{"a", bytesOf("upper-case archive")}}));
    EXPECT_EQ(readText("a"), "upper-case archive");
}

TEST_F(ArchiveTest, TwoThreadsLoadingTheIndexAgreeAndCrashNothing) {
    Members members;
    for (int i = 0; i < 2000; ++i) members.push_back({"f" + std::to_string(i), bytesOf(std::to_string(i))});
    pack("data03.qlc", members);
    std::string seen[2];
    std::thread other([&] { seen[0] = readText("F1999"); });
    seen[1] = readText("f1999");
    other.join();
    EXPECT_EQ(seen[0], "1999");
    EXPECT_EQ(seen[1], "1999");
}

// ---- The index reader over hostile bytes ----

void putU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A valid archive of "good" and "bad" (in that order); offsets of the "bad" index entry's fields.
struct Sample {
    std::vector<uint8_t> bytes = buildArchive({{"good", bytesOf("G")}, {"bad", bytesOf("B")}});
    size_t indexOffset() const { return bytes[16] | bytes[17] << 8 | bytes[18] << 16 | bytes[19] << 24; }
    size_t badEntry() const { return indexOffset() + kArchiveIndexEntrySize; }
};

std::vector<std::string> namesIn(std::span<const uint8_t> archive) {
    std::vector<std::string> names;
    ArchiveIndex index = readArchiveIndex(archive);
    for (const auto& entry : index.entries()) names.push_back(entry.name);
    return names;
}

TEST(ArchiveIndexTest, SkipsBrokenEntriesAndArchives) {
    using Names = std::vector<std::string>;
    struct Case {
        const char* what;
        void (*breakIt)(Sample&);
        Names expected;
    };
    const Case cases[] = {
        {"intact", [](Sample&) {}, Names{"good", "bad"}},
        {"name length 0", [](Sample& s) { putU32(s.bytes, s.badEntry() + 4, 0); }, Names{"good"}},
        {"name length of gigabytes", [](Sample& s) { putU32(s.bytes, s.badEntry() + 4, 0xFFFFFFF0); }, Names{"good"}},
        {"name without its zero", [](Sample& s) { putU32(s.bytes, s.badEntry() + 4, 3); }, Names{"good"}},
        {"name offset past the end", [](Sample& s) { putU32(s.bytes, s.badEntry(), 0xFFFFFFFF); }, Names{"good"}},
        {"data past the end", [](Sample& s) { putU32(s.bytes, s.badEntry() + 12, 1000); }, Names{"good"}},
        {"data offset wrapping", [](Sample& s) { putU32(s.bytes, s.badEntry() + 8, 0xFFFFFFFF); }, Names{"good"}},
        {"index size not a multiple of 20",
         [](Sample& s) { putU32(s.bytes, 20, 2 * kArchiveIndexEntrySize - 1); }, Names{"good"}},
        {"index offset past the end", [](Sample& s) { putU32(s.bytes, 16, 0x7FFFFFFF); }, Names{}},
        {"index size past the end", [](Sample& s) { putU32(s.bytes, 20, 0xFFFFFFFF); }, Names{}},
        {"truncated in the index", [](Sample& s) { s.bytes.resize(s.bytes.size() - 5); }, Names{}},
        {"truncated in the header", [](Sample& s) { s.bytes.resize(10); }, Names{}},
    };
    for (const auto& c : cases) {
        Sample sample;
        c.breakIt(sample);
        EXPECT_EQ(namesIn(sample.bytes), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace qeli::files
