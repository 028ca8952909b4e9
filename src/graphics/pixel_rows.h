// Row kernels of the blits: one row of `count` pixels at a time. The alpha-image blend has a scalar
// reference and vector versions (SSE2, AVX2 chosen at run time) that must give the same bytes.
#pragma once

#include <cstdint>

namespace qeli::graphics {

// The transparency weight of a mask channel m under the call's transparency g: m + (255 - m) * g / 256.
inline uint32_t maskWeight(uint32_t m, uint32_t g) {
    uint32_t t = m + (((255 - m) * g) >> 8);
    return t > 255 ? 255 : t;
}

// s + floor((d - s) * w / 256) for one channel; w runs from 0 (source) to 256 (destination).
inline uint32_t blendChannel(uint32_t s, uint32_t d, int32_t w) {
    return uint32_t(int32_t(s) + ((int32_t(d) - int32_t(s)) * w >> 8));
}

// The alpha-image blend: each channel weighted by (t + 1), t the mask weight of the alpha image's
// channel at the same position (blue with blue); no shortcuts; the spare byte becomes 0.
void blendAlphaRowScalar(uint32_t* dst, const uint32_t* src, const uint32_t* alpha, int32_t count,
                         uint32_t transparency);
// The same through the widest vector unit the processor has.
void blendAlphaRow(uint32_t* dst, const uint32_t* src, const uint32_t* alpha, int32_t count,
                   uint32_t transparency);

// Which implementation `blendAlphaRow` runs: "avx2", "sse2" or "scalar".
const char* alphaBlendPath();
// For tests and benchmarks: restrict the vector path (false: the widest one available again).
void limitAlphaBlendToSse2(bool limit);

// One weight w (1 to 254) for every channel: s + floor((d - s) * w / 256), the spare byte 0.
void blendUniformRow(uint32_t* dst, const uint32_t* src, int32_t count, uint32_t weight);
void blendUniformRowScalar(uint32_t* dst, const uint32_t* src, int32_t count, uint32_t weight);

}  // namespace qeli::graphics
