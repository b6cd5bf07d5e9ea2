// The dBase table engine on a 100 000-record address table (ADRESS1..ADRESS4 C 80, ZOLLNR C 25),
// next to shapelib doing the same work: build the index by ADRESS1 and read every record in index
// order; the index alone; every record in file order. At the end the engine/shapelib time ratios
// of this run are printed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/masterdata/dBaseDocument.h"

#ifdef TARVEX_HAVE_SHAPELIB
#include <shapefil.h>
#endif

namespace {

constexpr int kRecords = 100000;

// Writes the table once per process (bytes by hand, as fast as possible; the engine's own appends
// sync every record to disk) and removes it at exit.
class BenchTable {
public:
    BenchTable() {
        m_path = std::filesystem::temp_directory_path() / "tarvex-dbase-bench.dbf";
        const char* names[] = {"Müller", "Schmidt", "Schneider", "Fischer", "Weber", "Meyer", "Wagner",
                               "Becker", "Schulz",  "Hoffmann",  "Schäfer", "Koch",  "Bauer", "Richter"};
        const char* kinds[] = {"GmbH", "AG", "KG", "GmbH & Co. KG", "e.K.", "OHG"};
        const char* cities[] = {"Hamburg", "München", "Köln", "Frankfurt am Main", "Stuttgart", "Düsseldorf"};
        std::mt19937 rng(4711);
        std::vector<uint8_t> b(32, 0);
        const uint16_t headerLength = 193, recordLength = 346;
        b[0] = 3;
        b[1] = 124;
        b[2] = 5;
        b[3] = 17;
        for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(kRecords >> (8 * i));
        b[8] = headerLength & 0xFF;
        b[9] = headerLength >> 8;
        b[10] = recordLength & 0xFF;
        b[11] = recordLength >> 8;
        const char* fields[] = {"ADRESS1", "ADRESS2", "ADRESS3", "ADRESS4", "ZOLLNR"};
        for (int f = 0; f < 5; ++f) {
            std::vector<uint8_t> d(32, 0);
            std::copy(fields[f], fields[f] + std::char_traits<char>::length(fields[f]), d.begin());
            d[11] = 'C';
            d[16] = f < 4 ? 80 : 25;
            b.insert(b.end(), d.begin(), d.end());
        }
        b.push_back(0x0D);
        auto latin1 = [](const std::string& utf8) {  // the names above: UTF-8 to Windows-1252
            std::string out;
            for (size_t i = 0; i < utf8.size(); ++i) {
                auto c = static_cast<unsigned char>(utf8[i]);
                if (c == 0xC3 && i + 1 < utf8.size()) {
                    out.push_back(static_cast<char>(static_cast<unsigned char>(utf8[++i]) + 0x40));
                } else {
                    out.push_back(static_cast<char>(c));
                }
            }
            return out;
        };
        auto put = [&](std::string s, size_t width) {
            s.resize(width, ' ');
            b.insert(b.end(), s.begin(), s.end());
        };
        for (int n = 1; n <= kRecords; ++n) {
            b.push_back(rng() % 100 == 0 ? '*' : ' ');
            put(latin1(std::string(names[rng() % 14]) + " " + kinds[rng() % 6] + " " +
                       std::to_string(rng() % 100000)),
                80);
            put(latin1("Industriestraße " + std::to_string(1 + rng() % 200)), 80);
            put(latin1(std::to_string(10000 + rng() % 89999) + " " + cities[rng() % 6]), 80);
            put("DE", 80);
            put("DE" + std::to_string(1000000 + rng() % 8999999), 25);
        }
        b.push_back(0x1A);
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
    ~BenchTable() {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const BenchTable& Table() {
    static BenchTable table;
    return table;
}

// ------------------------------------------------------------------------------------------------
// Engine

void BM_Engine_IndexAndRead(benchmark::State& state) {
    const auto& path = Table().Path();
    for (auto _ : state) {
        tarvex::CdBaseDocument doc;
        if (!doc.OpenTable(path)) state.SkipWithError("open failed");
        // One read operation, as the program's listings and dialogs make it.
        tarvex::CdBaseDocument::CReadOperation operation(doc);
        doc.BuildIndex(0);
        size_t chars = 0;
        std::u16string s;
        for (int i = 1; i < doc.GetIndexCount(); ++i) {
            doc.GotoIndex(i);
            for (int f = 0; f < 5; ++f) {
                doc.GetString(f, s);
                chars += s.size();
            }
        }
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_Engine_BuildIndex(benchmark::State& state) {
    const auto& path = Table().Path();
    for (auto _ : state) {
        tarvex::CdBaseDocument doc;
        if (!doc.OpenTable(path)) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(doc.BuildIndex(0));
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_Engine_ReadInFileOrder(benchmark::State& state) {
    const auto& path = Table().Path();
    for (auto _ : state) {
        tarvex::CdBaseDocument doc;
        if (!doc.OpenTable(path)) state.SkipWithError("open failed");
        tarvex::CdBaseDocument::CReadOperation operation(doc);
        size_t chars = 0;
        std::u16string s;
        const int32_t count = doc.GetRecordCount();
        for (int32_t n = 1; n <= count; ++n) {
            doc.ReadRecord(n);
            if (!doc.IsRecordActive()) continue;
            for (int f = 0; f < 5; ++f) {
                doc.GetString(f, s);
                chars += s.size();
            }
        }
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

BENCHMARK(BM_Engine_IndexAndRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Engine_BuildIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Engine_ReadInFileOrder)->Unit(benchmark::kMillisecond);

// ------------------------------------------------------------------------------------------------
// shapelib: the same work with its reader (stdio buffered, leading and trailing blanks trimmed)

#ifdef TARVEX_HAVE_SHAPELIB

struct ShapelibEntry {
    std::string key;
    int record;
};

std::vector<ShapelibEntry> ShapelibIndex(DBFHandle h) {
    std::vector<ShapelibEntry> index;
    const int count = DBFGetRecordCount(h);
    index.reserve(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) {
        if (DBFIsRecordDeleted(h, r)) continue;
        index.push_back({DBFReadStringAttribute(h, r, 0), r});
    }
    std::stable_sort(index.begin(), index.end(),
                     [](const ShapelibEntry& a, const ShapelibEntry& b) { return a.key < b.key; });
    return index;
}

void BM_Shapelib_IndexAndRead(benchmark::State& state) {
    const std::string path = Table().Path().string();
    for (auto _ : state) {
        DBFHandle h = DBFOpen(path.c_str(), "rb");
        if (!h) state.SkipWithError("open failed");
        auto index = ShapelibIndex(h);
        size_t chars = 0;
        std::string s;
        for (const auto& e : index) {
            for (int f = 0; f < 5; ++f) {
                s = DBFReadStringAttribute(h, e.record, f);
                chars += s.size();
            }
        }
        benchmark::DoNotOptimize(chars);
        DBFClose(h);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_Shapelib_BuildIndex(benchmark::State& state) {
    const std::string path = Table().Path().string();
    for (auto _ : state) {
        DBFHandle h = DBFOpen(path.c_str(), "rb");
        if (!h) state.SkipWithError("open failed");
        benchmark::DoNotOptimize(ShapelibIndex(h).size());
        DBFClose(h);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void BM_Shapelib_ReadInFileOrder(benchmark::State& state) {
    const std::string path = Table().Path().string();
    for (auto _ : state) {
        DBFHandle h = DBFOpen(path.c_str(), "rb");
        if (!h) state.SkipWithError("open failed");
        size_t chars = 0;
        std::string s;
        const int count = DBFGetRecordCount(h);
        for (int r = 0; r < count; ++r) {
            if (DBFIsRecordDeleted(h, r)) continue;
            for (int f = 0; f < 5; ++f) {
                s = DBFReadStringAttribute(h, r, f);
                chars += s.size();
            }
        }
        benchmark::DoNotOptimize(chars);
        DBFClose(h);
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

BENCHMARK(BM_Shapelib_IndexAndRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shapelib_BuildIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Shapelib_ReadInFileOrder)->Unit(benchmark::kMillisecond);

#endif

// Console output as usual, plus the engine/shapelib ratio of every pair measured in this run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [name, time] : m_times) {
            if (name.rfind("BM_Engine_", 0) != 0) continue;
            std::string peer = "BM_Shapelib_" + name.substr(10);
            auto it = m_times.find(peer);
            if (it == m_times.end()) continue;
            std::printf("%-28s engine %9.2f ms, shapelib %9.2f ms, engine/shapelib = %.2f\n",
                        name.substr(10).c_str(), time, it->second, time / it->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Table();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
