// Fuzzes the archive index reader over a whole archive held in memory, then looks up every name it
// accepted and reads the entries' data ranges, which the reader promised lie inside the file.
#include <cstdint>
#include <span>

#include "files/archive_index.h"
#include "files/byte_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> archive(data, size);
    auto index = qeli::files::readArchiveIndex(archive);
    qeli::files::ByteReader reader(archive);
    for (const auto& entry : index.entries()) {
        if (!index.find(entry.name)) __builtin_trap();
        if (!reader.at(entry.dataOffset, entry.dataSize)) __builtin_trap();
    }
    return 0;
}
