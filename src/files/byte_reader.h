// A bounds-checked little-endian reader over a byte span. Every read past the end fails and leaves
// the reader failed, so a parser checks once at the end instead of after every field.
#pragma once

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace qeli::files {

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    size_t size() const { return m_bytes.size(); }
    size_t position() const { return m_position; }
    size_t remaining() const { return m_failed ? 0 : m_bytes.size() - m_position; }
    bool failed() const { return m_failed; }

    bool seek(uint64_t position) {
        if (position > m_bytes.size()) return fail();
        m_position = static_cast<size_t>(position);
        return true;
    }
    bool skip(uint64_t count) { return seek(uint64_t{m_position} + count); }

    uint8_t u8() { return static_cast<uint8_t>(readLe(1)); }
    uint16_t u16() { return static_cast<uint16_t>(readLe(2)); }
    uint32_t u32() { return static_cast<uint32_t>(readLe(4)); }
    int32_t i32() { return static_cast<int32_t>(u32()); }

    // The next `count` bytes, or an empty span (and failure) when they are not all there.
    std::span<const uint8_t> bytes(uint64_t count) {
        if (m_failed || count > remaining()) {
            fail();
            return {};
        }
        auto out = m_bytes.subspan(m_position, static_cast<size_t>(count));
        m_position += static_cast<size_t>(count);
        return out;
    }

    // The `count` bytes at an absolute `offset`, if they lie within the span; the position is unchanged.
    std::optional<std::span<const uint8_t>> at(int64_t offset, int64_t count) const {
        if (offset < 0 || count < 0) return std::nullopt;
        auto off = static_cast<uint64_t>(offset), len = static_cast<uint64_t>(count);
        if (off > m_bytes.size() || len > m_bytes.size() - off) return std::nullopt;
        return m_bytes.subspan(static_cast<size_t>(off), static_cast<size_t>(len));
    }

private:
    bool fail() {
        m_failed = true;
        return false;
    }
    uint64_t readLe(size_t n) {
        if (m_failed || n > remaining()) {
            fail();
            return 0;
        }
        uint64_t v = 0;
        for (size_t i = 0; i < n; ++i) v |= uint64_t{m_bytes[m_position + i]} << (8 * i);
        m_position += n;
        return v;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_position = 0;
    bool m_failed = false;
};

}  // namespace qeli::files
