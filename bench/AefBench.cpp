// Loading and saving an SAD document of 255 pages with every field filled.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/app/RecoverableDocument.h"
#include "core/common/AtomicFile.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"

using namespace tarvex;

namespace {

void FillEverything(CEinheitspapierDoc& doc) {
    doc.SetContinuationCount(254);
    CFieldStore& s = doc.Store();
    for (int p = 1; p <= 255; ++p) {
        const int n = p == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
        for (int i = 0; i < n; ++i) {
            // Typical box contents: a line or two of text.
            s.SetFieldText(i,
                           u"Muster GmbH & Co. KG \u00e4\u00f6\u00fc " + std::u16string(i % 23, u'x') +
                               (i % 4 == 0 ? u"\r\nHauptstra\u00dfe 12, 20095 Hamburg" : u""),
                           p);
            s.SetFieldFlags(i, p, static_cast<uint16_t>(1 + i % 4));
        }
    }
    doc.m_nFormVariant = 0;
}

const std::vector<uint8_t>& FullFile() {
    static const std::vector<uint8_t> bytes = [] {
        CEinheitspapierDoc doc;
        FillEverything(doc);
        return WriteAef(doc);
    }();
    return bytes;
}

void BM_AefRead(benchmark::State& state) {
    const auto& bytes = FullFile();
    CEinheitspapierDoc doc;
    std::string error;
    for (auto _ : state) {
        if (!ReadAef(bytes, doc, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(doc.Store().Texts2().data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_AefRead)->Unit(benchmark::kMillisecond);

void BM_AefWrite(benchmark::State& state) {
    CEinheitspapierDoc doc;
    FillEverything(doc);
    size_t size = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> bytes = WriteAef(doc);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}
BENCHMARK(BM_AefWrite)->Unit(benchmark::kMillisecond);

// The recovery copy is made in the window's thread once typing pauses, and every command takes the
// document's state twice for undo: both on the largest document there can be.
void BM_RecoveryImage(benchmark::State& state) {
    CEinheitspapierDoc doc;
    FillEverything(doc);
    const std::u16string typed = u"getippt";
    for (auto _ : state) benchmark::DoNotOptimize(RecoveryImage(doc, &typed).data());
}
BENCHMARK(BM_RecoveryImage)->Unit(benchmark::kMillisecond);

// Every box of the 255 pages with a long text: several lines of an address or goods description.
void FillLongTexts(CEinheitspapierDoc& doc) {
    FillEverything(doc);
    CFieldStore& s = doc.Store();
    const std::u16string line =
        u"Schrauben aus Edelstahl A2, DIN 933, M8 x 40, Gewindesteigung 1,25 mm \u00e4\u00f6\u00fc\r\n";
    for (int p = 1; p <= 255; ++p) {
        const int n = p == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
        for (int i = 0; i < n; ++i) s.SetFieldText(i, line + line + line + std::u16string(i % 40, u'x'), p);
    }
}

// What the window's thread does for a recovery copy: the whole image (it used to make it there),
// and the snapshot alone (it makes only that now; the image follows on the recovery thread).
void BM_RecoveryInWindowThread(benchmark::State& state) {
    CEinheitspapierDoc doc;
    if (state.range(1))
        FillLongTexts(doc);
    else
        FillEverything(doc);
    const std::u16string typed = u"getippt";
    for (auto _ : state) {
        if (state.range(0)) {
            benchmark::DoNotOptimize(RecoveryImage(doc, &typed).data());
        } else {
            RecoveryImageMaker make = RecoverySnapshot(doc, &typed);
            benchmark::DoNotOptimize(&make);
            state.PauseTiming();  // the snapshot goes with the recovery thread's work
            make = nullptr;
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_RecoveryInWindowThread)
    ->ArgNames({"whole_image", "long_texts"})
    ->ArgsProduct({{1, 0}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_UndoStepCapture(benchmark::State& state) {
    CEinheitspapierDoc doc;
    FillEverything(doc);
    for (auto _ : state) {
        const DocState before = CaptureDocState(doc);
        doc.Store().SetFieldText(10, u"ge\u00e4ndert", 1);
        const DocStateDelta delta = DocStateDelta::Between(before, CaptureDocState(doc));
        benchmark::DoNotOptimize(delta.Size());
    }
}
BENCHMARK(BM_UndoStepCapture)->Unit(benchmark::kMillisecond);

// The file variants: reading the file and the atomic save with its sync.
std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() /
           ("tarvex-aef-bench-" + std::to_string(std::random_device{}()) + ".aef");
}

void BM_AefLoadFile(benchmark::State& state) {
    const auto path = BenchFile();
    std::string error;
    if (!WriteFileAtomic(path, FullFile(), error)) state.SkipWithError(error.c_str());
    CEinheitspapierDoc doc;
    for (auto _ : state) {
        if (!LoadAefFile(path, doc, error)) state.SkipWithError(error.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(FullFile().size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_AefLoadFile)->Unit(benchmark::kMillisecond);

void BM_AefSaveFile(benchmark::State& state) {
    const auto path = BenchFile();
    CEinheitspapierDoc doc;
    FillEverything(doc);
    std::string error;
    for (auto _ : state) {
        if (!SaveAefFile(path, doc, error)) state.SkipWithError(error.c_str());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(FullFile().size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_AefSaveFile)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
