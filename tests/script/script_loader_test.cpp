#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "script/script_loader.h"
#include "support/engine_fixture.h"
#include "support/qls_writer.h"

namespace qeli::script {
namespace {

using testing::QlsWriter;

std::span<const uint8_t> span(const std::vector<uint8_t>& v) { return {v.data(), v.size()}; }

QlsWriter smallScript() {
    QlsWriter w;
    w.command("Wait");
    w.call("Wait", {w.intConstant(250), w.stringLiteral("text")});
    w.setTemporaryCount(1);
    return w;
}

void putU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST(CompiledScriptReader, ReadsEveryTable) {
    QlsWriter w = smallScript();
    auto script = parseCompiledScript(span(w.build()));
    ASSERT_TRUE(script);
    EXPECT_EQ(script->code.size(), 4u);
    EXPECT_EQ(script->tokens.size(), 3u);
    EXPECT_EQ(script->temporaryCount, 1);
    ScriptRecord record;
    record.setTables(std::move(*script));
    EXPECT_STREQ(record.text(record.tokens[0].nameOffset), "Wait");
    EXPECT_EQ(record.cell(record.tokens[1].valueOffset), 250);
    EXPECT_STREQ(record.text(record.tokens[2].valueOffset), "text");
}

TEST(CompiledScriptReader, HeaderSizeDecidesWhichFieldsAreRead) {
    struct Case {
        int32_t headerSize;
        int32_t temporaries;
    };
    // 40 bytes end before the temporary count; bytes past 48 are ignored.
    for (Case c : {Case{48, 1}, Case{44, 1}, Case{40, 0}, Case{64, 1}}) {
        QlsWriter w = smallScript();
        w.setHeaderSize(c.headerSize);
        auto script = parseCompiledScript(span(w.build()));
        ASSERT_TRUE(script) << c.headerSize;
        EXPECT_EQ(script->temporaryCount, c.temporaries) << c.headerSize;
        EXPECT_EQ(script->code.size(), 4u) << c.headerSize;
    }
}

TEST(CompiledScriptReader, UnscramblesOnlyWithFlagOne) {
    for (uint16_t flag : {0, 1, 2}) {
        QlsWriter w = smallScript();
        w.setScrambleFlag(flag);
        std::vector<uint8_t> bytes = w.build();
        auto script = parseCompiledScript(span(bytes));
        ASSERT_TRUE(script);
        ScriptRecord record;
        record.setTables(std::move(*script));
        // Flag 2 is not the scramble flag: the data (written plain by the writer) reads back as written.
        EXPECT_STREQ(record.text(record.tokens[2].valueOffset), "text") << flag;
    }
}

TEST(CompiledScriptReader, ForgetsCachedCommandRows) {
    QlsWriter w;
    int32_t cmd = w.addToken(0, w.addText("Wait"), 0, 77);
    int32_t word = w.addToken(1, w.addText("label"), w.addCell(3), -1);
    w.emit(cmd);
    w.emit(0);
    w.emit(word);
    // Writers never store the cache; a file from elsewhere might.
    std::vector<uint8_t> bytes = w.build();
    putU32(bytes, 48 + 3 * 4 + 12, 77);
    auto script = parseCompiledScript(span(bytes));
    ASSERT_TRUE(script);
    EXPECT_EQ(script->tokens[0].aux, 0);
    EXPECT_EQ(script->tokens[1].aux, -1);
}

TEST(CompiledScriptReader, RejectsTablesOutsideTheFile) {
    const std::vector<uint8_t> good = smallScript().build();
    struct Case {
        const char* what;
        size_t field;
        uint32_t value;
    };
    const Case cases[] = {
        {"code offset past the end", 16, 0xFFFFFF00u},
        {"negative code count", 20, 0xFFFFFFFFu},
        {"huge code count", 20, 0x40000000u},
        {"token table past the end", 24, static_cast<uint32_t>(good.size())},
        {"huge token count", 28, 0x7FFFFFFFu},
        {"negative data offset", 32, 0x80000000u},
        {"data size past the end", 36, static_cast<uint32_t>(good.size())},
        {"negative temporary count", 40, 0xFFFFFFF0u},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        putU32(bytes, c.field, c.value);
        EXPECT_FALSE(parseCompiledScript(span(bytes))) << c.what;
    }
    for (size_t cut : {size_t{20}, size_t{60}, good.size() - 1}) {
        std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(cut));
        EXPECT_FALSE(parseCompiledScript(span(truncated))) << "cut at " << cut;
    }
}

TEST(CompiledScriptReader, CapsTemporariesAtTheTokenCount) {
    QlsWriter w = smallScript();
    w.setTemporaryCount(0x7FFFFFFF);
    auto script = parseCompiledScript(span(w.build()));
    ASSERT_TRUE(script);
    EXPECT_EQ(script->temporaryCount, 3);
}

class ScriptLoading : public testing::EngineTest {};

TEST_F(ScriptLoading, SameFileTwiceGivesIndependentRecordsSharingReadFlags) {
    smallScript().writeTo(folder.file("a.qls"));
    ScriptRecord& first = loadScript(*context, "a.qls");
    ScriptRecord& second = loadScript(*context, "a.qls");
    ASSERT_EQ(first.codeLength(), 4);
    first.setCell(first.tokens[1].valueOffset, 9);
    first.temporaries[0].value = 5;
    EXPECT_EQ(second.cell(second.tokens[1].valueOffset), 250);
    EXPECT_EQ(second.temporaries[0].value, 0);
    EXPECT_EQ(first.readFlags, second.readFlags);
    EXPECT_EQ(first.fileName, "a.qls");
}

TEST_F(ScriptLoading, MissingOrBrokenFilesLeaveAnEmptyRecord) {
    std::vector<uint8_t> broken = smallScript().build();
    putU32(broken, 16, 0xFFFFFF00u);
    FILE* f = std::fopen(folder.file("broken.qls").c_str(), "wb");
    std::fwrite(broken.data(), 1, broken.size(), f);
    std::fclose(f);
    ScriptRecord& record = context->push();
    EXPECT_FALSE(loadScriptInto(*context, record, "broken.qls"));
    EXPECT_FALSE(loadScriptInto(*context, record, "missing.qls"));
    EXPECT_EQ(record.codeLength(), 0);
    EXPECT_TRUE(platform::shownMessageBoxes().empty());
}

}  // namespace
}  // namespace qeli::script
