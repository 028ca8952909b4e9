#include "saved/already_data_format.h"

#include <cstring>
#include <string>

#include "files/byte_reader.h"
#include "saved/read_text_record.h"

namespace qeli::saved {

namespace {

constexpr char kTag[] = "QLALREADY01";  // 11 characters and the zero byte: 12 bytes
constexpr size_t kHeaderSize = 20;
constexpr size_t kIndexRecordSize = 16;

void put32(std::vector<uint8_t>& out, size_t at, uint64_t value) {
    if (out.size() < at + 4) out.resize(at + 4);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> encodeAlreadyData(const ReadTextRecord& record) {
    std::vector<uint8_t> out(kHeaderSize, 0);
    std::memcpy(out.data(), kTag, sizeof kTag);
    struct Placed {
        size_t name, nameLength, size, data;
    };
    std::vector<Placed> placed;
    for (const ReadTextRecord::Entry* entry : record.entries()) {
        if (entry->name.empty() || entry->flags.empty()) continue;
        Placed p{out.size(), entry->name.size() + 1, entry->flags.size(), 0};
        out.insert(out.end(), entry->name.begin(), entry->name.end());
        out.push_back(0);
        p.data = out.size();
        out.insert(out.end(), entry->flags.begin(), entry->flags.end());
        placed.push_back(p);
    }
    put32(out, 12, placed.size());
    put32(out, 16, out.size());
    for (const Placed& p : placed) {
        put32(out, out.size(), p.name);
        put32(out, out.size(), p.nameLength);
        put32(out, out.size(), p.size);
        put32(out, out.size(), p.data);
    }
    return out;
}

bool decodeAlreadyData(std::span<const uint8_t> bytes, ReadTextRecord& record) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kTag, 11) != 0) return false;
    files::ByteReader r(bytes);
    r.seek(12);
    uint32_t count = r.u32();
    r.seek(r.u32());
    // A count larger than the index that the file holds stops where the file ends.
    for (uint32_t i = 0; i < count && r.remaining() >= kIndexRecordSize; ++i) {
        int32_t nameOffset = r.i32(), nameLength = r.i32(), size = r.i32(), dataOffset = r.i32();
        if (nameOffset == 0 || size == 0) continue;
        auto name = r.at(nameOffset, nameLength);
        auto data = r.at(dataOffset, size);
        if (!name || !data || name->empty()) continue;
        std::string text(name->begin(), name->end());
        text.resize(std::strlen(text.c_str()));
        std::memcpy(record.flagsFor(text, size), data->data(), data->size());
    }
    return true;
}

}  // namespace qeli::saved
