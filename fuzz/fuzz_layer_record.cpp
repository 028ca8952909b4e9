// Fuzzes restoring a layer from a save record (offsets, names, sprite records, cell blocks) and
// writing it back. Runs in a scratch folder, since restoring loads the graphics the record names.
#include <cstdint>
#include <filesystem>
#include <span>

#include "graphics/layer_set.h"
#include "platform/backend.h"
#include "platform/main_thread.h"

using namespace qeli;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool installed = [] {
        platform::installBackend(platform::makeHeadlessBackend({}));
        platform::setMainThread();
        auto folder = std::filesystem::temp_directory_path() / "qeli_fuzz_layer_record";
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
        return true;
    }();
    (void)installed;
    graphics::LayerSet set(640, 480);
    graphics::Layer& layer = set.create(1);
    std::span<const uint8_t> bytes(data, size);
    if (layer.restoreFrom(bytes, 0)) {
        std::vector<uint8_t> again;
        layer.saveTo(again);
    }
    set.advance(16);
    return 0;
}
