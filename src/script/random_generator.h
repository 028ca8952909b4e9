// The 15-bit pseudo-random generator behind `Random`: a linear congruential generator whose values
// run from 0 to 32,767, as scripts expect.
#pragma once

#include <cstdint>

namespace qeli::script {

inline constexpr int32_t kRandomMax = 32'767;

class RandomGenerator {
public:
    void seed(uint32_t seed) { m_state = seed; }
    // The next value, 0 to kRandomMax.
    int32_t next() {
        m_state = m_state * 214'013u + 2'531'011u;
        return static_cast<int32_t>((m_state >> 16) & 0x7FFF);
    }

private:
    uint32_t m_state = 1;
};

}  // namespace qeli::script
