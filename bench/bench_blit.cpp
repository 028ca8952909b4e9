// Blits against their references in one run: the alpha-image blit beside pixman's OVER of the same
// size, the opaque blit and the fill beside memcpy of the same bytes.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "graphics/blit.h"
#include "graphics/pixel_rows.h"

using namespace qeli::graphics;

namespace {

// Colours and transparency from a fixed random stream: no area is solid or clear, so neither side
// can take a shortcut.
Surface randomSurface(int32_t width, int32_t height, SurfaceKind kind) {
    Surface s;
    s.create(width, height);
    std::mt19937 random(1);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) s.setPixel(x, y, random() & 0x00FFFFFF);
    if (kind == SurfaceKind::Alpha) {
        s.createAlphaImage();
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) s.setAlphaPixel(x, y, (random() & 0xFF) * 0x010101);
    }
    s.setKind(kind);
    return s;
}

void setBytes(benchmark::State& state, int64_t width, int64_t height) {
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}

void alphaBlit(benchmark::State& state, int32_t w, int32_t h, bool sse2Only) {
    limitAlphaBlendToSse2(sse2Only);
    Surface src = randomSurface(w, h, SurfaceKind::Alpha), dst = randomSurface(w, h, SurfaceKind::Opaque);
    for (auto _ : state) {
        blit(dst, 0, 0, src, 0, 0, w, h, 0);
        benchmark::ClobberMemory();
    }
    state.SetLabel(alphaBlendPath());
    limitAlphaBlendToSse2(false);
    setBytes(state, w, h);
}

void pixmanOver(benchmark::State& state, int32_t w, int32_t h) {
    std::vector<uint32_t> src(size_t(w) * size_t(h)), dst(src.size());
    std::mt19937 random(1);
    for (uint32_t& p : src) {
        uint32_t a = random() & 0xFF, c = random();
        // premultiplied, as pixman expects
        p = a << 24 | (((c >> 16 & 0xFF) * a / 255) << 16) | (((c >> 8 & 0xFF) * a / 255) << 8) | ((c & 0xFF) * a / 255);
    }
    for (uint32_t& p : dst) p = random() & 0x00FFFFFF;
    pixman_image_t* s = pixman_image_create_bits(PIXMAN_a8r8g8b8, w, h, src.data(), w * 4);
    pixman_image_t* d = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, dst.data(), w * 4);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_OVER, s, nullptr, d, 0, 0, 0, 0, 0, 0, w, h);
        benchmark::ClobberMemory();
    }
    pixman_image_unref(s);
    pixman_image_unref(d);
    setBytes(state, w, h);
}

void opaqueBlit(benchmark::State& state, int32_t w, int32_t h) {
    Surface src = randomSurface(w, h, SurfaceKind::Opaque), dst = randomSurface(w, h, SurfaceKind::Opaque);
    for (auto _ : state) {
        blit(dst, 0, 0, src, 0, 0, w, h, 0);
        benchmark::ClobberMemory();
    }
    setBytes(state, w, h);
}

void fill(benchmark::State& state, int32_t w, int32_t h) {
    Surface dst = randomSurface(w, h, SurfaceKind::Opaque);
    uint32_t colour = 0;
    for (auto _ : state) {
        dst.fill(++colour);
        benchmark::ClobberMemory();
    }
    setBytes(state, w, h);
}

void copyBytes(benchmark::State& state, int32_t w, int32_t h) {
    size_t bytes = size_t(w) * size_t(h) * 4;
    std::vector<uint8_t> a(bytes, 1), b(bytes, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::ClobberMemory();
    }
    setBytes(state, w, h);
}

}  // namespace

// Each size is a group: the alpha-image blit beside pixman's OVER (the reference) and memcpy of the
// same bytes; the opaque blit and the fill beside memcpy (the reference).
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (auto [w, h] : {std::pair{640, 480}, {1920, 1080}}) {
        std::string size = std::to_string(w) + "x" + std::to_string(h);
        benchmark::RegisterBenchmark(("AlphaBlit " + size + ":qeli").c_str(), alphaBlit, w, h, false);
        benchmark::RegisterBenchmark(("AlphaBlit " + size + ":qeli sse2").c_str(), alphaBlit, w, h, true);
        benchmark::RegisterBenchmark(("AlphaBlit " + size + ":memcpy").c_str(), copyBytes, w, h);
        benchmark::RegisterBenchmark(("AlphaBlit " + size + ":reference").c_str(), pixmanOver, w, h);
        benchmark::RegisterBenchmark(("OpaqueBlit " + size + ":blit").c_str(), opaqueBlit, w, h);
        benchmark::RegisterBenchmark(("OpaqueBlit " + size + ":fill").c_str(), fill, w, h);
        benchmark::RegisterBenchmark(("OpaqueBlit " + size + ":reference").c_str(), copyBytes, w, h);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
