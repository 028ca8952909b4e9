// Blits by source kind, their clipping, the shadow form and the through-mask form. The row kernels
// of the alpha-image and uniform blends are in pixel_rows.cpp; resizing is in stretch_blit.cpp.
#include "graphics/blit.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "graphics/pixel_rows.h"

namespace qeli::graphics {

namespace {

constexpr uint32_t kColourBits = 0x00FFFFFF;

// The rectangle left after clipping: `height` rows of `width` pixels from (left, top) of the source
// to (dx, dy) of the destination.
struct Placement {
    int32_t dx, dy, left, top, width, height;
};

std::optional<Placement> clip(const Surface& dst, int64_t dx, int64_t dy, const Surface& src, int64_t left,
                              int64_t top, int64_t right, int64_t bottom) {
    if (!dst.hasPixels() || !src.hasPixels()) return std::nullopt;
    if (dx < 0) {
        left -= dx;
        dx = 0;
    }
    if (dy < 0) {
        top -= dy;
        dy = 0;
    }
    if (left < 0) {
        dx -= left;
        left = 0;
    }
    if (top < 0) {
        dy -= top;
        top = 0;
    }
    right = std::min<int64_t>(right, src.width());
    bottom = std::min<int64_t>(bottom, src.height());
    if (dx + right - left > dst.width()) right = dst.width() - dx + left;
    if (dy + bottom - top > dst.height()) bottom = dst.height() - dy + top;
    if (left >= right || top >= bottom) return std::nullopt;
    return Placement{int32_t(dx), int32_t(dy), int32_t(left), int32_t(top), int32_t(right - left),
                     int32_t(bottom - top)};
}

// One row of a placement: destination and source pixels, the source's alpha row (or null), and the
// row's y in the destination.
struct Row {
    uint32_t* dst;
    const uint32_t* src;
    const uint32_t* alpha;
    int32_t y;
};

// Calls `row` for every row of the placement, from its bottom row up: that is ascending memory
// order, which the processor's prefetcher streams far better than the picture's top-down order.
template <typename RowFn>
void forEachRow(Surface& dst, const Surface& src, const Placement& p, RowFn row) {
    for (int32_t r = p.height - 1; r >= 0; --r) {
        int32_t srcMemoryRow = src.height() - 1 - (p.top + r);
        uint32_t* d = dst.colourRow(dst.height() - 1 - (p.dy + r)) + p.dx;
        const uint32_t* s = src.colourRow(srcMemoryRow) + p.left;
        const uint32_t* a = src.hasAlphaImage() ? src.alphaRow(srcMemoryRow) + p.left : nullptr;
        row(Row{d, s, a, p.dy + r});
    }
}

uint32_t clampTransparency(int32_t transparency) { return uint32_t(std::clamp(transparency, 0, 255)); }

// The mask weight of a uniform source: min(255, 255 * g / 256).
uint32_t uniformWeight(uint32_t g) { return std::min<uint32_t>(255, (255 * g) >> 8); }

// The three mask weights of an alpha-image pixel, with the alpha pixel's spare byte above them.
uint32_t maskWeights(uint32_t alpha, uint32_t g) {
    return (alpha & 0xFF000000) | maskWeight((alpha >> 16) & 0xFF, g) << 16 |
           maskWeight((alpha >> 8) & 0xFF, g) << 8 | maskWeight(alpha & 0xFF, g);
}

uint32_t swapRedBlue(uint32_t v) { return (v & 0xFF00FF00) | ((v & 0xFF) << 16) | ((v >> 16) & 0xFF); }

// Each colour channel blended with the weight in the same channel of `weights`; the spare byte 0.
uint32_t blendEachChannel(uint32_t s, uint32_t d, uint32_t weights) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= blendChannel((s >> shift) & 0xFF, (d >> shift) & 0xFF, int32_t((weights >> shift) & 0xFF)) << shift;
    return out;
}

// The blend of the scalar formula: red weighted by the blue weight and the other way round.
uint32_t blendMirrored(uint32_t s, uint32_t d, uint32_t weights) {
    return blendEachChannel(s, d, swapRedBlue(weights));
}

// A pixel of an alpha-image source by the scalar formula with its two shortcuts.
uint32_t blendAlphaPixel(uint32_t s, uint32_t d, uint32_t alpha, uint32_t g) {
    uint32_t weights = maskWeights(alpha, g);
    if (weights == kColourBits) return d;
    if (weights == 0) return s;
    return blendMirrored(s, d, weights);
}

uint32_t perChannel(uint32_t d, uint32_t s, int32_t (*op)(int32_t, int32_t)) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8)
        out |= uint32_t(op(int32_t((d >> shift) & 0xFF), int32_t((s >> shift) & 0xFF))) << shift;
    return out;
}

int32_t addSaturated(int32_t d, int32_t s) { return std::min(255, d + s); }
int32_t subtractSaturated(int32_t d, int32_t s) { return std::max(0, d + s - 255); }

void blitOpaque(Surface& dst, const Surface& src, const Placement& p, uint32_t g) {
    uint32_t t = g ? uniformWeight(g) : 0;
    if (t == 255) return;
    if (t == 0 && p.width == src.width() && p.width == dst.width()) {
        // Whole rows on both sides lie back to back in memory: one copy (a surface may be drawn onto
        // itself, so the areas may overlap).
        std::memmove(dst.colourRow(dst.height() - p.dy - p.height), src.colourRow(src.height() - p.top - p.height),
                    size_t(p.width) * size_t(p.height) * 4);
        return;
    }
    forEachRow(dst, src, p, [&](const Row& row) {
        uint32_t* d = row.dst;
        const uint32_t* s = row.src;
        if (t == 0) std::memmove(d, s, size_t(p.width) * 4);
        else blendUniformRow(d, s, p.width, t);
    });
}

void blitColourKey(Surface& dst, const Surface& src, const Placement& p) {
    uint32_t key = src.colourRow(0)[0] & kColourBits;
    forEachRow(dst, src, p, [&](const Row& row) {
        uint32_t* d = row.dst;
        const uint32_t* s = row.src;
        for (int32_t x = 0; x < p.width; ++x)
            if ((s[x] & kColourBits) != key) d[x] = s[x];
    });
}

// `Additive` compares the whole mask pixel with white, `Subtractive` only its colour bits.
void blitSelected(Surface& dst, const Surface& src, const Placement& p, bool additive) {
    uint32_t compareBits = additive ? 0xFFFFFFFF : kColourBits;
    auto op = additive ? addSaturated : subtractSaturated;
    forEachRow(dst, src, p, [&](const Row& row) {
        uint32_t* d = row.dst;
        const uint32_t* s = row.src;
        const uint32_t* a = row.alpha;
        for (int32_t x = 0; x < p.width; ++x) {
            uint32_t m = a[x] & compareBits;
            if (m == kColourBits) continue;
            d[x] = m == 0 ? s[x] : perChannel(d[x], s[x], op);
        }
    });
}

// A shadow pixel: each channel scaled by the mirrored weight, as the blend does.
uint32_t darken(uint32_t d, uint32_t weights) {
    if (weights == kColourBits) return d;
    if (weights == 0) return 0;
    return blendEachChannel(0, d, swapRedBlue(weights));
}

}  // namespace

void blit(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top, int32_t right,
          int32_t bottom, int32_t transparency) {
    auto placement = clip(dst, dx, dy, src, left, top, right, bottom);
    if (!placement) return;
    uint32_t g = clampTransparency(transparency);
    switch (src.kind()) {
    case SurfaceKind::Opaque:
        return blitOpaque(dst, src, *placement, g);
    case SurfaceKind::Alpha:
        if (!src.hasAlphaImage()) return;
        return forEachRow(dst, src, *placement, [&](const Row& row) {
            blendAlphaRow(row.dst, row.src, row.alpha, placement->width, g);
        });
    case SurfaceKind::ColourKey:
        return blitColourKey(dst, src, *placement);
    case SurfaceKind::Additive:
    case SurfaceKind::Subtractive:
        if (!src.hasAlphaImage()) return;
        return blitSelected(dst, src, *placement, src.kind() == SurfaceKind::Additive);
    default:
        return;
    }
}

namespace {

// The destination rectangle of a blit cut down to `clip`, with the source rectangle shifted alike.
// False when nothing is left.
bool clipToRect(int32_t& dx, int32_t& dy, int32_t& left, int32_t& top, int32_t& right, int32_t& bottom,
                const Rect& clip) {
    int64_t x0 = dx, y0 = dy, x1 = int64_t{dx} + right - left, y1 = int64_t{dy} + bottom - top;
    int64_t cx0 = std::max<int64_t>(x0, clip.left), cy0 = std::max<int64_t>(y0, clip.top);
    int64_t cx1 = std::min<int64_t>(x1, clip.right), cy1 = std::min<int64_t>(y1, clip.bottom);
    if (cx0 >= cx1 || cy0 >= cy1) return false;
    left = int32_t(left + (cx0 - x0));
    top = int32_t(top + (cy0 - y0));
    right = int32_t(left + (cx1 - cx0));
    bottom = int32_t(top + (cy1 - cy0));
    dx = int32_t(cx0);
    dy = int32_t(cy0);
    return true;
}

}  // namespace

void blitClipped(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                 int32_t right, int32_t bottom, const Rect& clip, int32_t transparency) {
    if (clipToRect(dx, dy, left, top, right, bottom, clip))
        blit(dst, dx, dy, src, left, top, right, bottom, transparency);
}

void blitShadow(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                int32_t right, int32_t bottom, int32_t transparency) {
    auto placement = clip(dst, dx, dy, src, left, top, right, bottom);
    if (!placement) return;
    uint32_t g = clampTransparency(transparency);
    SurfaceKind kind = src.kind();
    if (kind == SurfaceKind::Alpha && !src.hasAlphaImage()) return;
    if (kind != SurfaceKind::Opaque && kind != SurfaceKind::Alpha && kind != SurfaceKind::ColourKey) return;
    uint32_t uniform = uniformWeight(g) * 0x010101;
    uint32_t key = src.colourRow(0)[0] & kColourBits;
    forEachRow(dst, src, *placement, [&](const Row& row) {
        uint32_t* d = row.dst;
        const uint32_t* s = row.src;
        const uint32_t* a = row.alpha;
        for (int32_t x = 0; x < placement->width; ++x) {
            if (kind == SurfaceKind::ColourKey) {
                if ((s[x] & kColourBits) != key) d[x] = 0;
            } else {
                d[x] = darken(d[x], kind == SurfaceKind::Alpha ? maskWeights(a[x], g) : uniform);
            }
        }
    });
}

void blitShadowClipped(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                       int32_t right, int32_t bottom, const Rect& clip, int32_t transparency) {
    if (clipToRect(dx, dy, left, top, right, bottom, clip))
        blitShadow(dst, dx, dy, src, left, top, right, bottom, transparency);
}

void blitThroughMask(Surface& dst, int32_t dx, int32_t dy, const Surface& src, int32_t left, int32_t top,
                     int32_t right, int32_t bottom, int32_t transparency, const Surface& mask) {
    auto placement = clip(dst, dx, dy, src, left, top, right, bottom);
    if (!placement || !mask.hasPixels()) return;
    uint32_t g = clampTransparency(transparency);
    SurfaceKind kind = src.kind();
    if (kind == SurfaceKind::Alpha && !src.hasAlphaImage()) return;
    if (kind != SurfaceKind::Opaque && kind != SurfaceKind::Alpha && kind != SurfaceKind::ColourKey) return;
    uint32_t t = uniformWeight(g);
    uint32_t key = src.colourRow(0)[0] & kColourBits;
    forEachRow(dst, src, *placement, [&](const Row& row) {
        uint32_t* d = row.dst;
        const uint32_t* s = row.src;
        const uint32_t* a = row.alpha;
        int32_t y = row.y;
        // Where the mask does not reach, the destination keeps its pixels.
        if (y >= mask.height()) return;
        const uint32_t* m = mask.colourRow(mask.height() - 1 - y);
        int32_t count = std::clamp(mask.width() - placement->dx, 0, placement->width);
        for (int32_t x = 0; x < count; ++x) {
            uint32_t old = d[x], blended;
            if (kind == SurfaceKind::ColourKey) {
                if ((s[x] & kColourBits) == key) continue;
                blended = s[x];
            } else if (kind == SurfaceKind::Alpha) {
                blended = blendAlphaPixel(s[x], old, a[x], g);
            } else {
                blended = t == 0 ? s[x] : blendMirrored(s[x], old, t * 0x010101);
            }
            uint32_t mp = m[placement->dx + x];
            if (mp == kColourBits) d[x] = blended;
            else if (mp != 0) d[x] = blendEachChannel(old, blended, mp);
        }
    });
}

}  // namespace qeli::graphics
