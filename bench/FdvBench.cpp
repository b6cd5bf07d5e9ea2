// Loading, saving and calculating a D.V.1 of 255 pages with every field filled.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/common/AtomicFile.h"
#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/FdvFormat.h"

using namespace tarvex;

namespace {

const FdvOrigin kOrigin{u"RECHNER", u"Sachbearbeiter"};

void FillEverything(CDV1_Doc& doc) {
    while (doc.AddPage() > 0) {
    }
    CFieldStore& s = doc.Store();
    for (int i = 0; i < kDv1Fields1; ++i)
        s.SetFieldText(i, u"Muster GmbH \u00e4\u00f6\u00fc\r\nHauptstra\u00dfe 12, 20095 Hamburg", 1);
    for (int p = 2; p <= kMaxPages; ++p)
        for (int i = 0; i < kDv1Fields2; ++i)
            s.SetFieldText(i, std::u16string(u"1.234,56").substr(0, 3 + i % 6), p);
    doc.m_Checks.assign(kDv1Checks, 1);
}

const std::vector<uint8_t>& FullFile() {
    static const std::vector<uint8_t> bytes = [] {
        CDV1_Doc doc;
        FillEverything(doc);
        return WriteFdv(doc, kOrigin);
    }();
    return bytes;
}

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() /
           ("tarvex-fdv-bench-" + std::to_string(std::random_device{}()) + ".fdv");
}

void BM_FdvRead(benchmark::State& state) {
    const auto& bytes = FullFile();
    CDV1_Doc doc;
    std::string error;
    for (auto _ : state) {
        if (!ReadFdv(bytes, doc, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(doc.Store().Texts2().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_FdvRead)->Unit(benchmark::kMillisecond);

void BM_FdvWrite(benchmark::State& state) {
    CDV1_Doc doc;
    FillEverything(doc);
    for (auto _ : state) {
        const std::vector<uint8_t> bytes = WriteFdv(doc, kOrigin);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(FullFile().size()));
}
BENCHMARK(BM_FdvWrite)->Unit(benchmark::kMillisecond);

// The file variants: reading the file and the atomic save with its sync.
void BM_FdvLoadFile(benchmark::State& state) {
    const auto path = BenchFile();
    std::string error;
    if (!WriteFileAtomic(path, FullFile(), error)) state.SkipWithError(error.c_str());
    CDV1_Doc doc;
    for (auto _ : state) {
        if (!LoadFdvFile(path, doc, error)) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_FdvLoadFile)->Unit(benchmark::kMillisecond);

void BM_FdvSaveFile(benchmark::State& state) {
    const auto path = BenchFile();
    CDV1_Doc doc;
    FillEverything(doc);
    std::string error;
    for (auto _ : state) {
        if (!SaveFdvFile(path, doc, error)) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_FdvSaveFile)->Unit(benchmark::kMillisecond);

// F3 on 254 pages: every amount rewritten, every total computed.
void BM_Dv1CalculatePages(benchmark::State& state) {
    CDV1_Doc filled;
    FillEverything(filled);
    for (auto _ : state) {
        state.PauseTiming();
        CDV1_Doc doc = filled;
        state.ResumeTiming();
        benchmark::DoNotOptimize(dv1::CalculatePages(doc, 0).size());
    }
}
BENCHMARK(BM_Dv1CalculatePages)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
