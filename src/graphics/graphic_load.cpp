// Loading pictures into surfaces: the format dispatch on the first bytes, the container's parts,
// and, for files read by name, the error log line, the silent second attempt and the
// Abort/Retry/Ignore box.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>

#include "files/graphic_error_reports.h"
#include "files/program_data.h"
#include "graphics/bmp_decoder.h"
#include "graphics/graphic_container.h"
#include "graphics/png_decoder.h"
#include "graphics/surface.h"

namespace qeli::graphics {

namespace {

bool isPng(std::span<const uint8_t> bytes) { return bytes.size() >= 4 && std::memcmp(bytes.data() + 1, "PNG", 3) == 0; }

bool isTaggedPng(std::span<const uint8_t> bytes) {
    return isPng(bytes) || (bytes.size() >= 4 && std::memcmp(bytes.data() + 1, "GNP", 3) == 0);
}

// ---- Reading by name, with the log, the second attempt and the box ----

// Each family keeps its own flag: set while a second attempt is under way or after a failure the
// player chose to ignore, so the next failure of that family goes straight to the box.
std::atomic<bool> g_graphicRetry{false};
std::atomic<bool> g_alphaRetry{false};

struct LoadFamily {
    files::GraphicKind kind;
    std::atomic<bool>& retryFlag;
};

const LoadFamily kGraphic{files::GraphicKind::Ordinary, g_graphicRetry};
const LoadFamily kAlphaGraphic{files::GraphicKind::AlphaMask, g_alphaRetry};

enum class Attempt { Missing, Decoded, Failed };

// One decode failure is retried silently; after that each failure asks the player. Retry that
// fails again asks once more (one box per failed attempt, never a stack of boxes to dismiss).
template <typename AttemptFn>
bool loadWithRetry(const LoadFamily& family, std::string_view name, AttemptFn attempt) {
    for (;;) {
        switch (attempt()) {
        case Attempt::Missing:
            files::logGraphicAccessError(name, family.kind);
            return false;
        case Attempt::Decoded:
            family.retryFlag = false;
            return true;
        case Attempt::Failed:
            if (!family.retryFlag.exchange(true)) continue;
            if (!files::askRetryAfterDecodeFailure(name, family.kind)) return false;
        }
    }
}

}  // namespace

// ---- Images into the surface ----

bool Surface::setColourImage(const DecodedImage& image) {
    if (!create(image.width, image.height)) return false;
    std::copy(image.pixels.begin(), image.pixels.end(), m_colour.begin());
    if (!image.hasAlpha) return true;
    if (!createAlphaImage()) return false;
    // Alpha images say how transparent a pixel is: 255 minus the file's opacity, the opacity kept
    // in the spare byte.
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint32_t opacity = image.pixels[i] >> 24;
        m_alpha[i] = opacity << 24 | (255 - opacity) * 0x010101;
    }
    m_kind = SurfaceKind::Alpha;
    return true;
}

// The picture goes to the top-left corner of a fresh alpha image the size of the colour image,
// cut to fit; the rest stays opaque.
bool Surface::setAlphaImage(const DecodedImage& image) {
    if (!hasPixels() || !createAlphaImage()) return false;
    int32_t rows = std::min(image.height, m_height), columns = std::min(image.width, m_width);
    for (int32_t y = 0; y < rows; ++y)
        std::copy_n(image.row(image.height - 1 - y), columns, alphaRow(m_height - 1 - y));
    m_kind = SurfaceKind::Alpha;
    return true;
}

namespace {

// A part of a container: a BMP, or a PNG tagged "PNG" or "GNP". Other bytes are not a picture
// format at all (`known` false) and the part is skipped.
struct ContainerPicture {
    bool known = false;
    std::optional<DecodedImage> image;
};

ContainerPicture decodeContainerPart(std::span<const uint8_t> bytes) {
    if (hasBmpMagic(bytes)) return {true, decodeBmp(bytes)};
    if (isTaggedPng(bytes)) return {true, decodePng(bytes, true)};
    return {};
}

}  // namespace

bool Surface::loadContainer(std::span<const uint8_t> bytes) {
    auto parts = readContainer(bytes);
    if (!parts) return false;
    if (!parts->colour.empty()) {
        ContainerPicture colour = decodeContainerPart(parts->colour);
        if (colour.known && (!colour.image || !setColourImage(*colour.image))) return false;
    }
    if (!parts->alpha.empty()) {
        if (!hasPixels()) return false;
        ContainerPicture alpha = decodeContainerPart(parts->alpha);
        if (alpha.known && (!alpha.image || !setAlphaImage(*alpha.image))) return false;
    }
    if (!parts->cells.empty()) loadCellTable(parts->cells);
    if (parts->flags == kContainerColourKeyFlag) m_kind = SurfaceKind::ColourKey;
    return true;
}

bool Surface::loadFromMemory(std::span<const uint8_t> bytes) {
    clear();
    if (hasBmpMagic(bytes)) {
        auto image = decodeBmp(bytes);
        return image && setColourImage(*image);
    }
    if (hasContainerMagic(bytes)) return loadContainer(bytes);
    if (isPng(bytes)) {
        auto image = decodePng(bytes);
        return image && setColourImage(*image);
    }
    return false;
}

bool Surface::loadAlphaFromMemory(std::span<const uint8_t> bytes) {
    if (hasContainerMagic(bytes)) {
        std::string name = m_name;
        bool ok = loadFromMemory(bytes);
        m_name = std::move(name);
        return ok;
    }
    std::optional<DecodedImage> image;
    if (hasBmpMagic(bytes)) image = decodeBmp(bytes);
    else if (isPng(bytes)) image = decodePng(bytes);
    return image && setAlphaImage(*image);
}

// ---- By name ----

bool Surface::load(std::string_view name) {
    return loadWithRetry(kGraphic, name, [&] {
        clear();
        auto bytes = files::readProgramData(name);
        if (!bytes) return Attempt::Missing;
        bool ok = loadFromMemory(*bytes);
        setName(std::string(name));
        return ok ? Attempt::Decoded : Attempt::Failed;
    });
}

bool Surface::loadAlpha(std::string_view name) {
    if (name.empty()) return false;
    return loadWithRetry(kAlphaGraphic, name, [&] {
        auto bytes = files::readProgramData(name);
        if (!bytes) return Attempt::Missing;
        if (!loadAlphaFromMemory(*bytes)) return Attempt::Failed;
        setAlphaName(std::string(name));
        return Attempt::Decoded;
    });
}

}  // namespace qeli::graphics
