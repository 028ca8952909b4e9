// Resizing an opaque surface rectangle onto another, standing for the system's halftone stretch:
// along each axis an area-averaging (box) filter where the picture shrinks and linear interpolation
// where it grows or keeps its size. Separable, in fixed point, so results do not depend on the processor.
#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/blit.h"

namespace qeli::graphics {

namespace {

constexpr int32_t kWeightBits = 14;
constexpr int32_t kWeightOne = 1 << kWeightBits;
// A source rectangle wider than this is refused instead of being walked.
constexpr int32_t kMaxStretchSource = 2 * kMaxSurfaceSide;

struct Tap {
    int32_t index;   // source pixel, already limited to the image
    int32_t weight;  // in 1/kWeightOne
};

// The taps of one output pixel, in runs: taps[first[i] .. first[i + 1]).
struct AxisFilter {
    std::vector<int32_t> first;
    std::vector<Tap> taps;
};

// Weights of each output pixel sum to exactly kWeightOne, so flat areas keep their colour.
void normalise(std::vector<Tap>& taps, size_t begin) {
    int32_t sum = 0;
    size_t largest = begin;
    for (size_t k = begin; k < taps.size(); ++k) {
        sum += taps[k].weight;
        if (taps[k].weight > taps[largest].weight) largest = k;
    }
    taps[largest].weight += kWeightOne - sum;
}

// Output pixels [outBegin, outEnd) of an axis that maps `srcLength` pixels from `srcStart` onto
// `dstLength` pixels; source indices are limited to [0, limit).
AxisFilter makeAxis(int32_t srcStart, int32_t srcLength, int32_t dstLength, int32_t outBegin, int32_t outEnd,
                    int32_t limit) {
    AxisFilter axis;
    double scale = double(srcLength) / double(dstLength);
    auto at = [&](int64_t i) { return int32_t(std::clamp<int64_t>(srcStart + i, 0, limit - 1)); };
    for (int32_t out = outBegin; out < outEnd; ++out) {
        axis.first.push_back(int32_t(axis.taps.size()));
        size_t begin = axis.taps.size();
        if (dstLength < srcLength) {
            double from = out * scale, to = (out + 1) * scale;
            for (int64_t i = int64_t(std::floor(from)); i < to; ++i) {
                double cover = std::min<double>(to, double(i + 1)) - std::max<double>(from, double(i));
                if (cover > 0) axis.taps.push_back({at(i), int32_t(std::lround(cover / scale * kWeightOne))});
            }
        } else {
            double centre = std::clamp((out + 0.5) * scale - 0.5, 0.0, double(srcLength - 1));
            int64_t i = int64_t(std::floor(centre));
            int32_t upper = int32_t(std::lround((centre - double(i)) * kWeightOne));
            axis.taps.push_back({at(i), kWeightOne - upper});
            if (upper > 0) axis.taps.push_back({at(i + 1), upper});
        }
        normalise(axis.taps, begin);
    }
    axis.first.push_back(int32_t(axis.taps.size()));
    return axis;
}

}  // namespace

bool stretchBlit(Surface& dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Surface& src, int32_t sx,
                 int32_t sy, int32_t sw, int32_t sh) {
    if (src.kind() != SurfaceKind::Opaque || !src.hasPixels() || !dst.hasPixels()) return false;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || sw > kMaxStretchSource || sh > kMaxStretchSource) return false;
    int32_t x0 = int32_t(std::max<int64_t>(0, -int64_t{dx})), y0 = int32_t(std::max<int64_t>(0, -int64_t{dy}));
    int32_t x1 = int32_t(std::min<int64_t>(dw, int64_t{dst.width()} - dx));
    int32_t y1 = int32_t(std::min<int64_t>(dh, int64_t{dst.height()} - dy));
    if (x0 >= x1 || y0 >= y1) return true;
    AxisFilter across = makeAxis(sx, sw, dw, x0, x1, src.width());
    AxisFilter down = makeAxis(sy, sh, dh, y0, y1, src.height());

    // Horizontal pass over every source row the vertical pass needs, kept with 8 fractional bits.
    int32_t rowMin = src.height(), rowMax = -1;
    for (const Tap& tap : down.taps) rowMin = std::min(rowMin, tap.index), rowMax = std::max(rowMax, tap.index);
    int32_t columns = x1 - x0;
    std::vector<uint32_t> rows(size_t(rowMax - rowMin + 1) * size_t(columns) * 3);
    for (int32_t r = rowMin; r <= rowMax; ++r) {
        const uint32_t* line = src.colourRow(src.height() - 1 - r);
        uint32_t* out = rows.data() + size_t(r - rowMin) * size_t(columns) * 3;
        for (int32_t c = 0; c < columns; ++c) {
            uint32_t sum[3] = {0, 0, 0};
            for (int32_t k = across.first[size_t(c)]; k < across.first[size_t(c) + 1]; ++k) {
                uint32_t p = line[across.taps[size_t(k)].index], w = uint32_t(across.taps[size_t(k)].weight);
                for (int ch = 0; ch < 3; ++ch) sum[ch] += ((p >> (8 * ch)) & 0xFF) * w;
            }
            for (int ch = 0; ch < 3; ++ch) out[c * 3 + ch] = (sum[ch] + (1 << (kWeightBits - 9))) >> (kWeightBits - 8);
        }
    }

    for (int32_t y = y0; y < y1; ++y) {
        uint32_t* line = dst.colourRow(dst.height() - 1 - (dy + y)) + dx;
        int32_t begin = down.first[size_t(y - y0)], end = down.first[size_t(y - y0) + 1];
        for (int32_t c = 0; c < columns; ++c) {
            uint32_t sum[3] = {0, 0, 0};
            for (int32_t k = begin; k < end; ++k) {
                const uint32_t* h = rows.data() + (size_t(down.taps[size_t(k)].index - rowMin) * size_t(columns) + size_t(c)) * 3;
                for (int ch = 0; ch < 3; ++ch) sum[ch] += h[ch] * uint32_t(down.taps[size_t(k)].weight);
            }
            uint32_t pixel = 0;
            for (int ch = 0; ch < 3; ++ch)
                pixel |= std::min<uint32_t>(255, (sum[ch] + (1u << (kWeightBits + 7))) >> (kWeightBits + 8)) << (8 * ch);
            line[x0 + c] = pixel;
        }
    }
    return true;
}

}  // namespace qeli::graphics
