// A game file's bytes as a loader receives them: always followed by one zero byte, so that a text
// file can be scanned as a C string. Reads as a byte span of the data alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace qeli::files {

class FileData {
public:
    FileData() : FileData(0) {}
    // Room for `size` bytes (left as they are, for the reader to fill) and the terminating zero.
    explicit FileData(size_t size) : m_bytes(std::make_unique_for_overwrite<uint8_t[]>(size + 1)), m_size(size) {
        m_bytes[size] = 0;
    }

    uint8_t* data() { return m_bytes.get(); }
    const uint8_t* data() const { return m_bytes.get(); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    uint8_t* begin() { return data(); }
    uint8_t* end() { return data() + m_size; }
    const uint8_t* begin() const { return data(); }
    const uint8_t* end() const { return data() + m_size; }
    uint8_t operator[](size_t i) const { return m_bytes[i]; }
    std::span<const uint8_t> span() const { return {data(), m_size}; }
    std::string_view text() const { return {reinterpret_cast<const char*>(data()), m_size}; }

    // Keeps the first `size` bytes (never grows) and moves the terminating zero behind them.
    void truncate(size_t size) {
        if (size >= m_size) return;
        m_size = size;
        m_bytes[size] = 0;
    }

private:
    std::unique_ptr<uint8_t[]> m_bytes;
    size_t m_size;
};

}  // namespace qeli::files
