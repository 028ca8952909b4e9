// Fuzzes the Already.dat reader and writes back what it read.
#include <cstdint>
#include <span>

#include "saved/already_data_format.h"
#include "saved/read_text_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qeli::saved::ReadTextRecord record;
    qeli::saved::decodeAlreadyData(std::span<const uint8_t>(data, size), record);
    qeli::saved::encodeAlreadyData(record);
    return 0;
}
