#include "saved/system_data_format.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "app/engine_state.h"
#include "files/byte_reader.h"
#include "saved/system_data.h"

namespace qeli::saved {

namespace {

constexpr size_t kVariableBlockSize = kGlobalFlagCount * 4;
constexpr size_t kStringTableSize = kGlobalStringCount * 8;
constexpr int32_t kFontRecordSize = 76;
constexpr size_t kOldFontBlockSize = 600;
constexpr int kOldFontSlots = 10;

// Header fields by offset.
enum : size_t {
    HeaderSizeAt = 16,
    VariablesAt = 24, VariablesSizeAt = 28,
    FontsAt = 32, FontsSizeAt = 36,
    FullScreenAt = 40, TextSpeedAt = 44, EffectLevelAt = 48, Spare1At = 52, Spare2At = 56,
    ChoiceFlag1At = 60, ChoiceFlag2At = 64,
    ProtagonistAt = 68, ProtagonistLengthAt = 72,
    KeyInSoundStopAt = 76,
    StringTableAt = 80, StringTableSizeAt = 84,
    PlayTimeAt = 88, RendererModeAt = 92, RendererOption1At = 96, RendererOption2At = 100,
    ChosenWidthAt = 104, ChosenHeightAt = 108, DisplaySizeModeAt = 112,
};

void put32(std::vector<uint8_t>& out, size_t at, int64_t value) {
    if (out.size() < at + 4) out.resize(at + 4);
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t get32(std::span<const uint8_t> bytes, size_t at) {
    files::ByteReader r(bytes);
    r.seek(at);
    return r.i32();
}

// The bytes of a stored string up to its first zero.
std::string storedString(std::span<const uint8_t> bytes) {
    auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
    return std::string(bytes.begin(), end);
}

void writeFontBlock(std::vector<uint8_t>& out, const SystemData& data) {
    put32(out, out.size(), kFontRecordSize);
    for (const StoredFontSlot& slot : data.fontSlots) {
        size_t at = out.size();
        out.resize(at + kFontRecordSize, 0);
        if (slot.height() == 0) continue;
        std::memcpy(out.data() + at, slot.logFont.data(), kLogFontSize);
        put32(out, at + 60, slot.pitch);
        put32(out, at + 64, slot.lineAdvance);
    }
}

void readFontSlot(std::span<const uint8_t> record, StoredFontSlot& slot) {
    slot = StoredFontSlot{};
    if (!record.empty()) std::memcpy(slot.logFont.data(), record.data(), std::min(record.size(), kLogFontSize));
    files::ByteReader r(record);
    r.seek(60);
    slot.pitch = r.i32();
    slot.lineAdvance = r.i32();
}

void readFontBlock(std::span<const uint8_t> block, int32_t declaredSize, SystemData& data) {
    if (declaredSize == static_cast<int32_t>(kOldFontBlockSize)) {
        if (block.size() != kOldFontBlockSize) return;
        for (int i = 0; i < kOldFontSlots; ++i) {
            auto record = block.subspan(i * kLogFontSize, kLogFontSize);
            if (get32(record, 0) != 0) readFontSlot(record, data.fontSlots[static_cast<size_t>(i)]);
        }
        return;
    }
    // A record size of 0 or less cannot be walked: the block counts as empty.
    int32_t recordSize = get32(block, 0);
    if (recordSize <= 0) return;
    size_t size = static_cast<size_t>(recordSize);
    for (size_t i = 0, at = 4; i < data.fontSlots.size() && at < block.size(); ++i, at += size) {
        auto record = block.subspan(at, std::min(size, block.size() - at));
        if (get32(record, 0) != 0) readFontSlot(record, data.fontSlots[i]);
    }
}

void readStrings(std::span<const uint8_t> file, std::span<const uint8_t> table, SystemData& data) {
    files::ByteReader bounds(file);
    for (auto& s : data.globalStrings) s.reset();
    size_t entries = std::min<size_t>(table.size() / 8, kGlobalStringCount);
    for (size_t i = 0; i < entries; ++i) {
        int32_t offset = get32(table, i * 8), length = get32(table, i * 8 + 4);
        if (offset <= 0 || length <= 0) continue;
        if (auto stored = bounds.at(offset, length)) data.globalStrings[i] = storedString(*stored);
    }
}

// The part of [offset, offset + size) that lies within the file.
std::span<const uint8_t> block(std::span<const uint8_t> file, int32_t offset, int64_t size) {
    if (offset < 0 || size <= 0 || static_cast<size_t>(offset) >= file.size()) return {};
    return file.subspan(static_cast<size_t>(offset),
                        static_cast<size_t>(std::min<int64_t>(size, static_cast<int64_t>(file.size()) - offset)));
}

}  // namespace

bool looksLikeSystemData(std::span<const uint8_t> bytes) {
    int32_t headerSize = get32(bytes, HeaderSizeAt);
    return bytes.size() >= 40 && headerSize >= 40 && headerSize <= static_cast<int32_t>(kSystemDataHeaderSize);
}

std::vector<uint8_t> encodeSystemData(const app::EngineState& state, const SystemData& data, int32_t playTimeSeconds) {
    std::vector<uint8_t> out(kSystemDataHeaderSize, 0);
    put32(out, HeaderSizeAt, kSystemDataHeaderSize);

    put32(out, VariablesAt, static_cast<int64_t>(out.size()));
    put32(out, VariablesSizeAt, kVariableBlockSize);
    for (int32_t flag : data.globalFlags) put32(out, out.size(), flag);

    // Each string is stored with its zero and one more zero byte; the table records that length.
    std::vector<std::pair<int64_t, int64_t>> entries(kGlobalStringCount, {0, 0});
    for (size_t i = 0; i < data.globalStrings.size(); ++i) {
        if (!data.globalStrings[i]) continue;
        const std::string& s = *data.globalStrings[i];
        entries[i] = {static_cast<int64_t>(out.size()), static_cast<int64_t>(s.size() + 2)};
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
        out.push_back(0);
    }
    put32(out, StringTableAt, static_cast<int64_t>(out.size()));
    put32(out, StringTableSizeAt, kStringTableSize);
    for (auto [offset, length] : entries) {
        put32(out, out.size(), offset);
        put32(out, out.size(), length);
    }

    put32(out, FontsAt, static_cast<int64_t>(out.size()));
    put32(out, FontsSizeAt, 4 + kFontSlotCount * kFontRecordSize);
    writeFontBlock(out, data);

    const std::string name = data.protagonist.value_or("");
    put32(out, ProtagonistAt, static_cast<int64_t>(out.size()));
    put32(out, ProtagonistLengthAt, static_cast<int64_t>(name.size() + 1));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);

    put32(out, FullScreenAt, state.fullScreen ? 1 : 0);
    put32(out, TextSpeedAt, state.textSpeed);
    put32(out, EffectLevelAt, state.effectLevel);
    put32(out, Spare1At, state.spareIntegers[0]);
    put32(out, Spare2At, state.spareIntegers[1]);
    put32(out, ChoiceFlag1At, state.choiceFlags[0] ? 1 : 0);
    put32(out, ChoiceFlag2At, state.choiceFlags[1] ? 1 : 0);
    put32(out, KeyInSoundStopAt, state.keyInSoundStopDefault ? 1 : 0);
    put32(out, PlayTimeAt, playTimeSeconds);
    put32(out, RendererModeAt, state.rendererModeStored);
    put32(out, RendererOption1At, state.rendererOptions[0] ? 1 : 0);
    put32(out, RendererOption2At, state.rendererOptions[1] ? 1 : 0);
    put32(out, ChosenWidthAt, state.chosenDisplayWidth);
    put32(out, ChosenHeightAt, state.chosenDisplayHeight);
    put32(out, DisplaySizeModeAt, state.displaySizeMode);
    return out;
}

void decodeSystemData(std::span<const uint8_t> file, app::EngineState& state, SystemData& data) {
    // Header fields beyond the stored header size read as 0.
    uint8_t header[kSystemDataHeaderSize] = {};
    size_t headerSize = static_cast<size_t>(std::clamp<int64_t>(get32(file, HeaderSizeAt), 0, kSystemDataHeaderSize));
    if (!file.empty()) std::memcpy(header, file.data(), std::min(headerSize, file.size()));
    auto field = [&](size_t at) { return get32(std::span<const uint8_t>(header, sizeof header), at); };

    data.globalFlags.fill(0);
    auto variables = block(file, field(VariablesAt), std::min<int64_t>(field(VariablesSizeAt), kVariableBlockSize));
    for (size_t i = 0; i + 4 <= variables.size(); i += 4) data.globalFlags[i / 4] = get32(variables, i);

    if (field(StringTableAt) > 0 && field(StringTableSizeAt) > 0)
        readStrings(file, block(file, field(StringTableAt), field(StringTableSizeAt)), data);
    if (field(FontsSizeAt) > 0) readFontBlock(block(file, field(FontsAt), field(FontsSizeAt)), field(FontsSizeAt), data);

    state.fullScreen = field(FullScreenAt) != 0;
    state.textSpeed = field(TextSpeedAt);
    state.effectLevel = field(EffectLevelAt);
    state.spareIntegers[0] = field(Spare1At);
    state.spareIntegers[1] = field(Spare2At);
    state.choiceFlags[0] = field(ChoiceFlag1At) != 0;
    state.choiceFlags[1] = field(ChoiceFlag2At) != 0;
    state.keyInSoundStopDefault = field(KeyInSoundStopAt) != 0;
    state.playTimeSeconds = field(PlayTimeAt);
    state.rendererModeStored = field(RendererModeAt);
    state.rendererOptions[0] = field(RendererOption1At) != 0;
    state.rendererOptions[1] = field(RendererOption2At) != 0;
    state.chosenDisplayWidth = field(ChosenWidthAt);
    state.chosenDisplayHeight = field(ChosenHeightAt);
    state.displaySizeMode = field(DisplaySizeModeAt);

    if (field(ProtagonistLengthAt) > 0)
        if (auto name = files::ByteReader(file).at(field(ProtagonistAt), field(ProtagonistLengthAt)))
            data.protagonist = storedString(*name);
}

}  // namespace qeli::saved
