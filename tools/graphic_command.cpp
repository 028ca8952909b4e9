// `qeli-tool graphic info FILE`, `unpack FILE.qlg [DIR]` and `pack OUT.qlg [--colour FILE]
// [--alpha FILE] [--cells FILE.txt] [--colour-key] [--gnp]`.
#include "graphic_command.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cell_table_text.h"
#include "graphics/bmp_decoder.h"
#include "graphics/graphic_container.h"
#include "graphics/png_decoder.h"
#include "graphics/surface.h"

namespace qeli::tools {

namespace {

using Bytes = std::vector<uint8_t>;

std::optional<Bytes> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "qeli-tool graphic: %s\n", message.c_str());
    return 1;
}

bool hasTag(std::span<const uint8_t> b, const char* tag) { return b.size() >= 4 && std::memcmp(b.data() + 1, tag, 3) == 0; }

// "bmp", "png", "png tagged GNP" or "unknown" for a container part or a file.
std::string partFormat(std::span<const uint8_t> part) {
    if (graphics::hasBmpMagic(part)) return "bmp";
    if (hasTag(part, "PNG")) return "png";
    if (hasTag(part, "GNP")) return "png tagged GNP";
    return "unknown";
}

const char* kindName(graphics::SurfaceKind kind) {
    switch (kind) {
    case graphics::SurfaceKind::Empty: return "Empty";
    case graphics::SurfaceKind::Opaque: return "Opaque";
    case graphics::SurfaceKind::Alpha: return "Alpha";
    case graphics::SurfaceKind::ColourKey: return "ColourKey";
    case graphics::SurfaceKind::Additive: return "Additive";
    case graphics::SurfaceKind::Subtractive: return "Subtractive";
    }
    return "?";
}

int info(const std::string& path) {
    auto bytes = readFile(path);
    if (!bytes) return fail("cannot read " + path);
    if (auto parts = graphics::readContainer(*bytes)) {
        std::printf("format: qlg\nheader size: %u\nflags: %u%s\n", parts->headerSize, parts->flags,
                    parts->flags == graphics::kContainerColourKeyFlag ? " (colour key)" : "");
        if (!parts->colour.empty())
            std::printf("colour part: %s, %zu bytes\n", partFormat(parts->colour).c_str(), parts->colour.size());
        if (!parts->alpha.empty())
            std::printf("alpha part: %s, %zu bytes\n", partFormat(parts->alpha).c_str(), parts->alpha.size());
    } else {
        std::printf("format: %s\n", graphics::hasContainerMagic(*bytes) ? "qlg (damaged)" : partFormat(*bytes).c_str());
    }
    graphics::Surface surface;
    bool ok = surface.loadFromMemory(*bytes);
    std::printf("decodes: %s\nkind: %s\nsize: %dx%d\nalpha image: %s\n", ok ? "yes" : "no", kindName(surface.kind()),
                surface.width(), surface.height(), surface.hasAlphaImage() ? "yes" : "no");
    if (!surface.cellTable().empty()) std::printf("%s", cellTableToText(surface.cellTable()).c_str());
    return ok ? 0 : 1;
}

// A part as a file other programs read: a PNG tagged "GNP" gets its "PNG" back.
int writePart(const std::filesystem::path& folder, const char* stem, std::span<const uint8_t> part) {
    std::string format = partFormat(part);
    std::string extension = format == "bmp" ? ".bmp" : format == "unknown" ? ".bin" : ".png";
    Bytes bytes(part.begin(), part.end());
    if (hasTag(bytes, "GNP")) std::memcpy(bytes.data() + 1, "PNG", 3);
    std::filesystem::path file = folder / (std::string(stem) + extension);
    if (!writeFile(file, bytes)) return fail("cannot write " + file.string());
    std::printf("%s: %s (%s)\n", stem, file.string().c_str(), format.c_str());
    return 0;
}

int unpack(const std::string& path, const std::string& folder) {
    auto bytes = readFile(path);
    if (!bytes) return fail("cannot read " + path);
    auto parts = graphics::readContainer(*bytes);
    if (!parts) return fail(path + " is not a graphic container, or its parts lie outside it");
    std::filesystem::create_directories(folder);
    if (!parts->colour.empty() && writePart(folder, "colour", parts->colour)) return 1;
    if (!parts->alpha.empty() && writePart(folder, "alpha", parts->alpha)) return 1;
    if (!parts->cells.empty()) {
        std::string text = cellTableToText(graphics::parseCellTable(parts->cells));
        std::filesystem::path file = std::filesystem::path(folder) / "cells.txt";
        if (!writeFile(file, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())))
            return fail("cannot write " + file.string());
        std::printf("cells: %s\n", file.string().c_str());
    }
    std::printf("flags: %u%s\n", parts->flags, parts->flags == graphics::kContainerColourKeyFlag ? " (pack with --colour-key)" : "");
    if (hasTag(parts->colour, "GNP") || hasTag(parts->alpha, "GNP")) std::printf("png parts were tagged GNP (pack with --gnp)\n");
    return 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: qeli-tool graphic info FILE\n"
                 "       qeli-tool graphic unpack FILE.qlg [DIR]\n"
                 "       qeli-tool graphic pack OUT.qlg [--colour FILE] [--alpha FILE] [--cells FILE.txt] [--colour-key] [--gnp]\n");
    return 2;
}

struct PackOptions {
    std::string output, colour, alpha, cells;
    bool colourKey = false, gnp = false;
};

std::optional<PackOptions> parsePackOptions(std::span<const std::string> args) {
    PackOptions options;
    if (args.empty()) return std::nullopt;
    options.output = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool hasValue = i + 1 < args.size();
        if (arg == "--colour-key") options.colourKey = true;
        else if (arg == "--gnp") options.gnp = true;
        else if (arg == "--colour" && hasValue) options.colour = args[++i];
        else if (arg == "--alpha" && hasValue) options.alpha = args[++i];
        else if (arg == "--cells" && hasValue) options.cells = args[++i];
        else return std::nullopt;
    }
    return options;
}

// A picture part read from a file: BMP or PNG only, tagged "GNP" when asked.
std::optional<Bytes> readPicturePart(const std::string& path, bool gnp, std::string& error) {
    if (path.empty()) return Bytes{};
    auto bytes = readFile(path);
    if (!bytes) {
        error = "cannot read " + path;
        return std::nullopt;
    }
    if (!graphics::hasBmpMagic(*bytes) && !graphics::hasPngSignature(*bytes, false)) {
        error = path + " is neither a BMP nor a PNG file";
        return std::nullopt;
    }
    if (gnp && hasTag(*bytes, "PNG")) std::memcpy(bytes->data() + 1, "GNP", 3);
    return bytes;
}

int pack(std::span<const std::string> args) {
    auto options = parsePackOptions(args);
    if (!options) return usage();
    std::string error;
    auto colour = readPicturePart(options->colour, options->gnp, error);
    auto alpha = colour ? readPicturePart(options->alpha, options->gnp, error) : std::nullopt;
    if (!colour || !alpha) return fail(error);
    Bytes cells;
    if (!options->cells.empty()) {
        auto text = readFile(options->cells);
        if (!text) return fail("cannot read " + options->cells);
        auto parsed = parseCellTableText(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
        if (!parsed.error.empty()) return fail(options->cells + ": " + parsed.error);
        cells = graphics::encodeCellTable(parsed.records);
    }
    Bytes container = graphics::writeContainer(options->colourKey ? graphics::kContainerColourKeyFlag : 0, *colour, *alpha, cells);
    graphics::Surface check;
    if (!check.loadFromMemory(container)) return fail("the engine would not load the result (check the pictures)");
    if (!writeFile(options->output, container)) return fail("cannot write " + options->output);
    std::printf("%s: %zu bytes, %dx%d, kind %s\n", options->output.c_str(), container.size(), check.width(), check.height(),
                kindName(check.kind()));
    return 0;
}


}  // namespace

int graphicCommand(std::span<const std::string> args) {
    if (args.size() < 2) return usage();
    const std::string& action = args[0];
    if (action == "info" && args.size() == 2) return info(args[1]);
    if (action == "unpack" && args.size() <= 3) return unpack(args[1], args.size() == 3 ? args[2] : ".");
    if (action == "pack") return pack(args.subspan(1));
    return usage();
}

}  // namespace qeli::tools
