#include <gtest/gtest.h>

#include <cstring>

#include "app/engine_state.h"
#include "saved/already_data_format.h"
#include "saved/read_text_record.h"
#include "saved/system_data.h"
#include "saved/system_data_format.h"

namespace qeli::saved {
namespace {

void put32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}
int32_t get32(const std::vector<uint8_t>& bytes, size_t at) {
    int32_t v;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

TEST(SystemDataFile, RoundTripsEveryField) {
    app::EngineState state;
    SystemData data;
    data.globalFlags[0] = -5;
    data.globalFlags[9999] = 77;
    data.globalStrings[3] = "abc";
    data.globalStrings[9999] = "";
    data.protagonist = "\x8E\xE5";
    data.fontSlots[2].logFont[0] = 24;
    data.fontSlots[2].logFont[28] = 'M';
    data.fontSlots[2].pitch = 26;
    data.fontSlots[2].lineAdvance = 30;
    state.fullScreen = 1;
    state.textSpeed = 10;
    state.effectLevel = 1;
    state.spareIntegers[1] = 9;
    state.choiceFlags[1] = 1;
    state.keyInSoundStopDefault = 1;
    state.rendererModeStored = 1;
    state.rendererOptions[1] = 1;
    state.chosenDisplayWidth = 1024;
    state.chosenDisplayHeight = 768;
    state.displaySizeMode = 2;
    std::vector<uint8_t> bytes = encodeSystemData(state, data, 3600);

    // "abc" is stored as a, b, c, 0, 0 with the table length 5.
    size_t table = static_cast<size_t>(get32(bytes, 80));
    size_t abc = static_cast<size_t>(get32(bytes, table + 3 * 8));
    EXPECT_EQ(get32(bytes, table + 3 * 8 + 4), 5);
    EXPECT_EQ(std::memcmp(bytes.data() + abc, "abc\0\0", 5), 0);
    EXPECT_EQ(get32(bytes, 36), 1220);

    app::EngineState readState;
    SystemData read;
    decodeSystemData(bytes, readState, read);
    EXPECT_EQ(read.globalFlags, data.globalFlags);
    EXPECT_EQ(read.globalStrings, data.globalStrings);
    EXPECT_EQ(read.protagonist, data.protagonist);
    EXPECT_EQ(read.fontSlots[2].logFont, data.fontSlots[2].logFont);
    EXPECT_EQ(read.fontSlots[2].lineAdvance, 30);
    EXPECT_EQ(read.fontSlots[3].height(), 0);
    EXPECT_EQ(readState.fullScreen, 1);
    EXPECT_EQ(readState.textSpeed, 10);
    EXPECT_EQ(readState.effectLevel, 1);
    EXPECT_EQ(readState.spareIntegers[1], 9);
    EXPECT_EQ(readState.choiceFlags[1], 1);
    EXPECT_EQ(readState.keyInSoundStopDefault, 1);
    EXPECT_EQ(readState.playTimeSeconds, 3600);
    EXPECT_EQ(readState.rendererModeStored, 1);
    EXPECT_EQ(readState.rendererOptions[1], 1);
    EXPECT_EQ(readState.chosenDisplayWidth, 1024);
    EXPECT_EQ(readState.displaySizeMode, 2);
}

// An older file: a 96-byte header and the 600-byte font block of ten descriptions.
TEST(SystemDataFile, ReadsOlderFilesWithShortHeadersAndTheOldFontBlock) {
    std::vector<uint8_t> file(96 + 40000 + 600, 0);
    put32(file, 16, 96);
    put32(file, 24, 96);
    put32(file, 28, 40000);
    put32(file, 32, 96 + 40000);
    put32(file, 36, 600);
    put32(file, 44, 45);  // text speed lies inside the short header
    put32(file, 96 + 4 * 7, 123);
    for (int slot : {0, 4, 9}) put32(file, 96 + 40000 + static_cast<size_t>(slot) * 60, 20 + slot);
    // Bytes past the short header belong to the variable block, not to the header.
    put32(file, 112, 2);

    app::EngineState state;
    state.displaySizeMode = 7;
    SystemData data;
    decodeSystemData(file, state, data);
    EXPECT_EQ(state.textSpeed, 45);
    EXPECT_EQ(state.displaySizeMode, 0);
    EXPECT_EQ(state.chosenDisplayWidth, 0);
    EXPECT_EQ(state.rendererOptions[0], 0);
    EXPECT_EQ(data.globalFlags[7], 123);
    EXPECT_EQ(data.fontSlots[0].height(), 20);
    EXPECT_EQ(data.fontSlots[4].height(), 24);
    EXPECT_EQ(data.fontSlots[9].height(), 29);
    EXPECT_EQ(data.fontSlots[1].height(), 0);
}

TEST(SystemDataFile, DamagedFilesKeepWhatIsSound) {
    app::EngineState state;
    SystemData data;
    data.globalStrings[1] = "x";
    data.protagonist = "name";
    std::vector<uint8_t> good = encodeSystemData(state, data, 0);
    struct Case {
        const char* what;
        size_t field;
        int32_t value;
    };
    const Case cases[] = {
        {"font record size 0", 0, 0},
        {"font block outside", 32, 0x7FFFFFF0},
        {"string table outside", 80, -8},
        {"huge string table", 84, 0x7FFFFFFF},
        {"protagonist outside", 68, 0x7FFFFFF0},
        {"variables outside", 24, -1},
        {"header size huge", 16, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        if (c.field == 0) put32(bytes, static_cast<size_t>(get32(bytes, 32)), 0);
        else put32(bytes, c.field, c.value);
        app::EngineState s;
        SystemData d;
        decodeSystemData(bytes, s, d);
        SUCCEED() << c.what;
    }
    for (size_t cut : {size_t{0}, size_t{10}, size_t{100}, size_t{40100}, good.size() - 3}) {
        app::EngineState s;
        SystemData d;
        decodeSystemData(std::span<const uint8_t>(good.data(), cut), s, d);
    }
}

TEST(AlreadyDataFile, EntriesRoundTripInOrder) {
    ReadTextRecord record;
    uint8_t* a = record.flagsFor("A.qls", 10);
    a[3] = 1;
    record.flagsFor("b.qls", 3)[2] = 1;
    std::vector<uint8_t> bytes = encodeAlreadyData(record);
    EXPECT_EQ(std::memcmp(bytes.data(), "QLALREADY01\0", 12), 0);

    ReadTextRecord read;
    ASSERT_TRUE(decodeAlreadyData(bytes, read));
    auto entries = read.entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->name, "A.qls");
    EXPECT_EQ(entries[0]->flags.size(), 10u);
    EXPECT_EQ(entries[0]->flags[3], 1);
    EXPECT_EQ(entries[1]->name, "b.qls");
    EXPECT_EQ(entries[1]->flags[2], 1);
    // Case does not matter for lookups; size does.
    EXPECT_EQ(read.find("a.QLS", 10), entries[0]->flags.data());
    EXPECT_EQ(read.find("a.qls", 11), nullptr);
}

TEST(AlreadyDataFile, ForeignOrDamagedFilesAddNothingUnsound) {
    ReadTextRecord record;
    record.flagsFor("s", 4)[0] = 9;
    std::vector<uint8_t> good = encodeAlreadyData(record);
    std::vector<uint8_t> wrongTag = good;
    wrongTag[0] = 'X';
    ReadTextRecord r1;
    EXPECT_FALSE(decodeAlreadyData(wrongTag, r1));
    EXPECT_FALSE(decodeAlreadyData(std::span<const uint8_t>(good.data(), 19), r1));
    std::vector<uint8_t> hugeCount = good;
    put32(hugeCount, 12, 0x7FFFFFFF);
    EXPECT_TRUE(decodeAlreadyData(hugeCount, r1));
    EXPECT_EQ(r1.entries().size(), 1u);
    std::vector<uint8_t> badIndex = good;
    size_t index = static_cast<size_t>(get32(good, 16));
    put32(badIndex, index + 8, 0x7FFFFFFF);  // data size beyond the file
    ReadTextRecord r2;
    EXPECT_TRUE(decodeAlreadyData(badIndex, r2));
    EXPECT_TRUE(r2.empty());
}

TEST(ReadTextRecord, ChoiceOptionsGrowAndKeepWhatWasChosen) {
    ReadTextRecord record;
    EXPECT_FALSE(record.isChoiceOptionChosen(7, 0));
    record.setChoiceOption(7, 3, 1, 1);  // three options still make an array of five
    EXPECT_TRUE(record.isChoiceOptionChosen(7, 1));
    EXPECT_FALSE(record.isChoiceOptionChosen(7, 2));
    record.setChoiceOption(7, 5, 4, 1);
    record.setChoiceOption(7, 8, 6, 1);
    EXPECT_TRUE(record.isChoiceOptionChosen(7, 1));
    EXPECT_TRUE(record.isChoiceOptionChosen(7, 4));
    EXPECT_TRUE(record.isChoiceOptionChosen(7, 6));
    EXPECT_FALSE(record.isChoiceOptionChosen(7, 8));
    // The five-option array stays in the record beside the grown one.
    EXPECT_NE(record.find(".SELECT:7", 5), nullptr);
    EXPECT_NE(record.find(".SELECT:7", 8), nullptr);
    EXPECT_FALSE(record.isChoiceOptionChosen(8, 1));
}

}  // namespace
}  // namespace qeli::saved
