// Archive lookup and index loading for a game of 50,000 files. The reference is the first-match
// linear scan over the same names, measured in the same run.
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
BENCHMARK(BM_IndexLoad50k)->Unit(benchmark::kMillisecond);

void BM_IndexFind50k(benchmark::State& state) {
    ArchiveIndex index = loadIndex();
    std::vector<std::string> names;
    for (int i = 0; i < 1024; ++i) names.push_back(askedName(i * 48));
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(index.find(names[i++ & 1023]));
}
BENCHMARK(BM_IndexFind50k);

// Through the five archives: a hit in data01 (after the missing data04) and a miss in all of them.
void BM_ExistsInArchives50k(benchmark::State& state) {
    gameFolder();
    resetArchives();
    std::string hit = askedName(kEntries - 1), miss = "graphic\\event\\none.png";
    bool wantHit = state.range(0) != 0;
    for (auto _ : state) benchmark::DoNotOptimize(existsInArchives(wantHit ? hit : miss));
}
BENCHMARK(BM_ExistsInArchives50k)->Arg(1)->Arg(0);

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
BENCHMARK(BM_ReferenceLinearScan50k)->Unit(benchmark::kMicrosecond);

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
