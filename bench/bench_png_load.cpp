// Loading a 1920x1080 RGBA PNG into a surface beside libpng's own read of the same file into memory.
#include <benchmark/benchmark.h>
#include <png.h>

#include <random>
#include <vector>

#include "graphics/surface.h"

namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// A picture with smooth areas and noise, as game pictures are, so compression is neither trivial
// nor hopeless.
const std::vector<uint8_t>& testPng() {
    static const std::vector<uint8_t> file = [] {
        const int w = 1920, h = 1080;
        std::vector<uint8_t> pixels(size_t(w) * h * 4);
        std::mt19937 random(3);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                uint8_t* p = &pixels[(size_t(y) * w + x) * 4];
                p[0] = uint8_t(x / 8 + (random() & 7));
                p[1] = uint8_t(y / 5);
                p[2] = uint8_t((x + y) / 12);
                p[3] = uint8_t(x < w / 2 ? 255 : y / 5);
            }
        std::vector<uint8_t> out;
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_set_write_fn(png, &out, appendToVector, nullptr);
        png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                     PNG_FILTER_TYPE_DEFAULT);
        std::vector<png_bytep> rows(h);
        for (int y = 0; y < h; ++y) rows[size_t(y)] = &pixels[size_t(y) * w * 4];
        png_set_rows(png, info, rows.data());
        png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        png_destroy_write_struct(&png, &info);
        return out;
    }();
    return file;
}

void surfaceLoad(benchmark::State& state) {
    const auto& file = testPng();
    qeli::graphics::Surface surface;
    for (auto _ : state) {
        if (!surface.loadFromMemory(file)) state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(surface.colourRow(0));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 1920 * 1080 * 4);
}

// libpng's simplified reader straight into 32-bit BGRA: the work any PNG load has to do.
void libpngRead(benchmark::State& state) {
    const auto& file = testPng();
    std::vector<uint8_t> pixels(size_t(1920) * 1080 * 4);
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, file.data(), file.size());
        image.format = PNG_FORMAT_BGRA;
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) state.SkipWithError("libpng failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 1920 * 1080 * 4);
}

}  // namespace

BENCHMARK(surfaceLoad)->Name("PngLoad 1920x1080:qeli")->Unit(benchmark::kMillisecond);
BENCHMARK(libpngRead)->Name("PngLoad 1920x1080:reference")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
