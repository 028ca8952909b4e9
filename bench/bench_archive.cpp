// Archive lookup and index loading for a game of 50,000 files. References: for lookup the
// first-match linear scan over the same names, for loading a plain read of the whole archive file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "files/archive_writer.h"
#include "files/archives.h"
#include "files/name_folding.h"
#include "files/read_only_file.h"

namespace {

namespace fs = std::filesystem;
using namespace qeli::files;

constexpr int kEntries = 50'000;

std::string entryName(int i) { return "graphic\\event\\ev" + std::to_string(i) + "_a.png"; }
std::string askedName(int i) { return "GRAPHIC\\Event\\EV" + std::to_string(i) + "_A.PNG"; }

// A folder holding data01.qlc with kEntries small entries, made once and made current.
const fs::path& gameFolder() {
    static fs::path folder = [] {
        fs::path dir = fs::temp_directory_path() / ("qeli-bench-archive-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::ofstream out(dir / "data01.qlc", std::ios::binary);
        ArchiveWriter writer(out);
        const uint8_t byte = 0;
        for (int i = 0; i < kEntries; ++i) writer.add(entryName(i), {&byte, 1});
        writer.finish();
        fs::current_path(dir);
        return dir;
    }();
    return folder;
}

ArchiveIndex loadIndex() {
    gameFolder();
    ReadOnlyFile file;
    file.open("data01.qlc", false);
    return readArchiveIndex(file);
}

void BM_IndexLoad50k(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(loadIndex());
}
BENCHMARK(BM_IndexLoad50k)->Name("ArchiveIndexLoad50k:index")->Unit(benchmark::kMillisecond);

void BM_ReadWholeArchive(benchmark::State& state) {
    gameFolder();
    for (auto _ : state) {
        ReadOnlyFile file;
        file.open("data01.qlc", false);
        benchmark::DoNotOptimize(file.readWhole());
    }
}
BENCHMARK(BM_ReadWholeArchive)->Name("ArchiveIndexLoad50k:reference")->Unit(benchmark::kMillisecond);

void BM_IndexFind50k(benchmark::State& state) {
    ArchiveIndex index = loadIndex();
    std::vector<std::string> names;
    for (int i = 0; i < 1024; ++i) names.push_back(askedName(i * 48));
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(index.find(names[i++ & 1023]));
}
BENCHMARK(BM_IndexFind50k)->Name("ArchiveLookup50k:index_find");

// Through the five archives: a hit in data01 (after the missing data04) and a miss in all of them.
void existsLoop(benchmark::State& state, const std::string& name) {
    gameFolder();
    resetArchives();
    for (auto _ : state) benchmark::DoNotOptimize(existsInArchives(name));
}
void BM_ExistsHit(benchmark::State& state) { existsLoop(state, askedName(kEntries - 1)); }
void BM_ExistsMiss(benchmark::State& state) { existsLoop(state, "graphic\\event\\none.png"); }
BENCHMARK(BM_ExistsHit)->Name("ArchiveLookup50k:five_archives_hit");
BENCHMARK(BM_ExistsMiss)->Name("ArchiveLookup50k:five_archives_miss");

// Reference: the first-match scan comparing with each entry in order, for a name in the middle.
void BM_ReferenceLinearScan50k(benchmark::State& state) {
    ArchiveIndex index = loadIndex();
    std::string name = askedName(kEntries / 2);
    for (auto _ : state) {
        const ArchiveEntry* found = nullptr;
        for (const auto& entry : index.entries())
            if (equalFoldedCp932(entry.name, name)) {
                found = &entry;
                break;
            }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ReferenceLinearScan50k)->Name("ArchiveLookup50k:reference");

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(gameFolder(), ec);
    return 0;
}
