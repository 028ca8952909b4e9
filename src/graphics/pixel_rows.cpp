// The blend kernels. The vector forms compute s + ((d - s) * w >> 8) in 16-bit lanes and keep only the
// low byte of the sum: the product's low 16 bits shifted right by 8 are the exact quotient modulo 256,
// and the true result lies between s and d, so the byte is exact for every input.
#include "graphics/pixel_rows.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QELI_X86 1
#endif

namespace qeli::graphics {

void blendAlphaRowScalar(uint32_t* dst, const uint32_t* src, const uint32_t* alpha, int32_t count,
                         uint32_t transparency) {
    for (int32_t i = 0; i < count; ++i) {
        uint32_t s = src[i], d = dst[i], a = alpha[i], out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            int32_t w = int32_t(maskWeight((a >> shift) & 0xFF, transparency)) + 1;
            out |= blendChannel((s >> shift) & 0xFF, (d >> shift) & 0xFF, w) << shift;
        }
        dst[i] = out;
    }
}

void blendUniformRowScalar(uint32_t* dst, const uint32_t* src, int32_t count, uint32_t weight) {
    for (int32_t i = 0; i < count; ++i) {
        uint32_t s = src[i], d = dst[i], out = 0;
        for (int shift = 0; shift < 24; shift += 8)
            out |= blendChannel((s >> shift) & 0xFF, (d >> shift) & 0xFF, int32_t(weight)) << shift;
        dst[i] = out;
    }
}

#ifdef QELI_X86

namespace {

// ---- SSE2: four pixels at a time ----

inline __m128i alphaHalfSse2(__m128i s16, __m128i d16, __m128i a16, __m128i g, bool withTransparency) {
    if (withTransparency)
        a16 = _mm_add_epi16(a16, _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(_mm_set1_epi16(255), a16), g), 8));
    __m128i w = _mm_add_epi16(a16, _mm_set1_epi16(1));
    return _mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(d16, s16), w), 8);
}

template <bool withTransparency>
int32_t blendAlphaSse2(uint32_t* dst, const uint32_t* src, const uint32_t* alpha, int32_t count, uint32_t g) {
    const __m128i zero = _mm_setzero_si128(), colourBits = _mm_set1_epi32(0x00FFFFFF);
    const __m128i gv = _mm_set1_epi16(int16_t(g));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(alpha + i));
        __m128i lo = alphaHalfSse2(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero),
                                   _mm_unpacklo_epi8(a, zero), gv, withTransparency);
        __m128i hi = alphaHalfSse2(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero),
                                   _mm_unpackhi_epi8(a, zero), gv, withTransparency);
        __m128i out = _mm_and_si128(_mm_add_epi8(s, _mm_packus_epi16(lo, hi)), colourBits);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
    }
    return i;
}

// ---- AVX2: eight pixels at a time (unpack and pack work within each 128-bit lane, so the order holds) ----

__attribute__((target("avx2"))) inline __m256i alphaHalfAvx2(__m256i s16, __m256i d16, __m256i a16, __m256i g,
                                                             bool withTransparency) {
    if (withTransparency)
        a16 = _mm256_add_epi16(
            a16, _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(_mm256_set1_epi16(255), a16), g), 8));
    __m256i w = _mm256_add_epi16(a16, _mm256_set1_epi16(1));
    return _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(d16, s16), w), 8);
}

template <bool withTransparency>
__attribute__((target("avx2"))) int32_t blendAlphaAvx2(uint32_t* dst, const uint32_t* src, const uint32_t* alpha,
                                                       int32_t count, uint32_t g) {
    const __m256i zero = _mm256_setzero_si256(), colourBits = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i gv = _mm256_set1_epi16(int16_t(g));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + i));
        __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(alpha + i));
        __m256i lo = alphaHalfAvx2(_mm256_unpacklo_epi8(s, zero), _mm256_unpacklo_epi8(d, zero),
                                   _mm256_unpacklo_epi8(a, zero), gv, withTransparency);
        __m256i hi = alphaHalfAvx2(_mm256_unpackhi_epi8(s, zero), _mm256_unpackhi_epi8(d, zero),
                                   _mm256_unpackhi_epi8(a, zero), gv, withTransparency);
        __m256i out = _mm256_and_si256(_mm256_add_epi8(s, _mm256_packus_epi16(lo, hi)), colourBits);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + i), out);
    }
    return i;
}

int32_t blendUniformSse2(uint32_t* dst, const uint32_t* src, int32_t count, uint32_t weight) {
    const __m128i zero = _mm_setzero_si128(), colourBits = _mm_set1_epi32(0x00FFFFFF);
    const __m128i w = _mm_set1_epi16(int16_t(weight));
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        __m128i lo = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_sub_epi16(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero)), w), 8);
        __m128i hi = _mm_srli_epi16(
            _mm_mullo_epi16(_mm_sub_epi16(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero)), w), 8);
        __m128i out = _mm_and_si128(_mm_add_epi8(s, _mm_packus_epi16(lo, hi)), colourBits);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), out);
    }
    return i;
}

std::atomic<bool> g_limitToSse2{false};

bool useAvx2() {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2 && !g_limitToSse2.load(std::memory_order_relaxed);
}

}  // namespace

void blendAlphaRow(uint32_t* dst, const uint32_t* src, const uint32_t* alpha, int32_t count, uint32_t transparency) {
    int32_t done;
    if (useAvx2())
        done = transparency ? blendAlphaAvx2<true>(dst, src, alpha, count, transparency)
                            : blendAlphaAvx2<false>(dst, src, alpha, count, 0);
    else
        done = transparency ? blendAlphaSse2<true>(dst, src, alpha, count, transparency)
                            : blendAlphaSse2<false>(dst, src, alpha, count, 0);
    blendAlphaRowScalar(dst + done, src + done, alpha + done, count - done, transparency);
}

void blendUniformRow(uint32_t* dst, const uint32_t* src, int32_t count, uint32_t weight) {
    int32_t done = blendUniformSse2(dst, src, count, weight);
    blendUniformRowScalar(dst + done, src + done, count - done, weight);
}

const char* alphaBlendPath() { return useAvx2() ? "avx2" : "sse2"; }

void limitAlphaBlendToSse2(bool limit) { g_limitToSse2.store(limit, std::memory_order_relaxed); }

#else

void blendAlphaRow(uint32_t* dst, const uint32_t* src, const uint32_t* alpha, int32_t count, uint32_t transparency) {
    blendAlphaRowScalar(dst, src, alpha, count, transparency);
}

void blendUniformRow(uint32_t* dst, const uint32_t* src, int32_t count, uint32_t weight) {
    blendUniformRowScalar(dst, src, count, weight);
}

const char* alphaBlendPath() { return "scalar"; }

void limitAlphaBlendToSse2(bool) {}

#endif

}  // namespace qeli::graphics
