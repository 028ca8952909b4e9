// A full frame composed the way the renderer does it: 1280 x 720, ten full-size Alpha layers, one of
// them zoomed and one rotated, beside pixman compositing ten layers of the same size (the reference).
// Reports frames per second and the share of one core that 60 frames a second take.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <random>
#include <vector>

#include "graphics/compose.h"

using namespace qeli::graphics;

namespace {

constexpr int32_t kWidth = 1280, kHeight = 720, kLayers = 10;

void randomAlphaPicture(Surface& s, std::mt19937& random) {
    s.create(kWidth, kHeight);
    s.createAlphaImage();
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            s.setPixel(x, y, random() & 0x00FFFFFF);
            s.setAlphaPixel(x, y, (random() & 0xFF) * 0x010101);
        }
    s.setKind(SurfaceKind::Alpha);
}

void frameCounters(benchmark::State& state) {
    state.counters["fps"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
    // 60 frames a second take 60 x (seconds per frame) of a core, in percent.
    state.counters["core% at 60fps"] =
        benchmark::Counter(1.0 / 6000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// `turning`: the rotated layer turns a little every frame, so its copy is rebuilt each time.
void composeFrame(benchmark::State& state, bool turning) {
    LayerSet set(kWidth, kHeight);
    std::mt19937 random(1);
    for (int32_t i = 0; i < kLayers; ++i) {
        Layer& layer = set.create(i);
        randomAlphaPicture(layer.graphic, random);
        layer.visible = true;
    }
    Layer& zoomed = *set.find(3);
    zoomed.zoomed = true;
    zoomed.zoomX = zoomed.zoomY = 1.25;
    zoomed.zoomCentreX = kWidth / 2;
    zoomed.zoomCentreY = kHeight / 2;
    Layer& rotated = *set.find(6);
    rotated.angle = 100;
    rotated.rotationCentreX = kWidth / 2;
    rotated.rotationCentreY = kHeight / 2;
    Surface frame;
    frame.create(kWidth, kHeight);
    for (auto _ : state) {
        if (turning) rotated.angle += 1;
        compose(set, frame, {0, 0, kWidth, kHeight});
        benchmark::ClobberMemory();
    }
    frameCounters(state);
}

void pixmanLayers(benchmark::State& state) {
    std::mt19937 random(1);
    std::vector<std::vector<uint32_t>> layers(kLayers, std::vector<uint32_t>(size_t(kWidth) * kHeight));
    std::vector<pixman_image_t*> images;
    for (auto& pixels : layers) {
        for (uint32_t& p : pixels) {
            uint32_t a = random() & 0xFF, c = random();
            p = a << 24 | (((c >> 16 & 0xFF) * a / 255) << 16) | (((c >> 8 & 0xFF) * a / 255) << 8) | ((c & 0xFF) * a / 255);
        }
        images.push_back(pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, pixels.data(), kWidth * 4));
    }
    std::vector<uint32_t> frame(size_t(kWidth) * kHeight);
    pixman_image_t* target = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, frame.data(), kWidth * 4);
    for (auto _ : state) {
        for (pixman_image_t* image : images)
            pixman_image_composite32(PIXMAN_OP_OVER, image, nullptr, target, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
        benchmark::ClobberMemory();
    }
    for (pixman_image_t* image : images) pixman_image_unref(image);
    pixman_image_unref(target);
    frameCounters(state);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("Compose 1280x720 ten alpha layers:qeli", composeFrame, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Compose 1280x720 ten alpha layers:qeli, rotation changing", composeFrame, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Compose 1280x720 ten alpha layers:reference", pixmanLayers)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
