// The bytes of Already.dat: the read-text record's named byte arrays.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace qeli::saved {

class ReadTextRecord;

std::vector<uint8_t> encodeAlreadyData(const ReadTextRecord& record);
// Adds the file's entries to the record; false for a file without the tag. Index records that point
// outside the file are skipped.
bool decodeAlreadyData(std::span<const uint8_t> bytes, ReadTextRecord& record);

}  // namespace qeli::saved
