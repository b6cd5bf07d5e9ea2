// Data in and out: 100 000 articles from a CSV file into a new article table (parse, check, one
// append under the lock) and back out, beside the floor of writing the same table bytes through
// the atomic writer; and a 255-page SAD with every box filled written by `tarvex fill` from the
// JSON `tarvex dump` prints, beside `tarvex dump` and `tarvex convert` of the same file, all as the
// clerk runs them (a process each).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/Csv.h"
#include "core/masterdata/TableCsv.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"

namespace {

constexpr int kArticles = 100000;

std::filesystem::path Folder() {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() / "tarvex-dataexchange-bench";
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// The CSV a spreadsheet program would save: semicolons, Windows-1252, descriptions of three
// lines in quotes.
const std::string& ArticleCsv() {
    static const std::string csv = [] {
        const char16_t* goods[] = {u"Schrauben", u"Muttern",   u"Käse",    u"Äpfel", u"Notebooks", u"Zangen",
                                   u"Kabel",     u"Schläuche", u"Ventile", u"Lager", u"Pumpen",    u"Stoffe"};
        const char16_t* kinds[] = {u"verzinkt", u"Edelstahl",   u"gereift",
                                   u"frisch",   u"14 \"Zoll\"", u"isoliert"};
        const char16_t* lands[] = {u"DE", u"CN", u"IT", u"NL", u"FR", u"US", u"PL"};
        std::mt19937 rng(4711);
        auto num = [](unsigned long v) { return tarvex::FromUtf8(std::to_string(v)); };
        std::u16string text;
        tarvex::AppendCsvRecord(
            text, {u"WBESCH1", u"WNR1", u"WNR2", u"WNR3", u"WNR4", u"WNR5", u"LAND1", u"LAND2"}, u';');
        for (int n = 0; n < kArticles; ++n) {
            tarvex::AppendCsvRecord(
                text,
                {std::u16string(goods[rng() % 12]) + u" " + kinds[rng() % 6] + u" Nr. " +
                     num(rng() % 100000) + u"\r\n" + num(1 + rng() % 50) + u" Kartons\r\nZeichen " +
                     num(rng() % 1000),
                 num(10000000 + rng() % 89999999), u"00", u"", u"", u"", lands[rng() % 7], u""},
                u';');
        }
        return tarvex::EncodeCsvText(text, tarvex::CsvEncoding::Windows1252);
    }();
    return csv;
}

void BM_ImportArticlesFromCsv(benchmark::State& state) {
    const std::string& csv = ArticleCsv();
    const auto path = Folder() / "import.dbf";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        tarvex::CTableError error;
        tarvex::CreateMasterTable(path, tarvex::MasterTableLayout::Articles, error);
        state.ResumeTiming();
        tarvex::CdBaseDocument table;
        table.OpenTable(path);
        const tarvex::CsvImportResult r = tarvex::ImportCsvIntoTable(table, csv, {});
        if (r.written != kArticles) state.SkipWithError("import failed");
    }
    state.counters["rows"] = kArticles;
    state.counters["csvMB"] = static_cast<double>(csv.size()) / 1e6;
}
BENCHMARK(BM_ImportArticlesFromCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExportArticlesToCsv(benchmark::State& state) {
    const auto path = Folder() / "export.dbf";
    if (!std::filesystem::exists(path)) {
        tarvex::CTableError error;
        tarvex::CreateMasterTable(path, tarvex::MasterTableLayout::Articles, error);
        tarvex::CdBaseDocument table;
        table.OpenTable(path);
        tarvex::ImportCsvIntoTable(table, ArticleCsv(), {});
    }
    for (auto _ : state) {
        tarvex::CdBaseDocument table;
        table.OpenTableReadOnly(path);
        std::string bytes;
        tarvex::ExportTableCsv(table, {}, bytes);
        std::string error;
        tarvex::WriteFileAtomic(Folder() / "export.csv",
                                std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                                error);
        if (bytes != ArticleCsv()) state.SkipWithError("export differs from the imported file");
    }
}
BENCHMARK(BM_ExportArticlesToCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor: the table's bytes written once through the atomic writer (what any import must at
// least do).
void BM_FloorWriteTableBytes(benchmark::State& state) {
    const auto path = Folder() / "export.dbf";
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state) {
        std::string error;
        tarvex::WriteFileAtomic(Folder() / "floor.dbf", bytes, error);
    }
    state.counters["tableMB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_FloorWriteTableBytes)->Unit(benchmark::kMillisecond)->Iterations(5);

int Run(const std::string& args) {
    const std::string command = std::string("'") + TARVEX_CLI_PATH + "' " + args;
    return std::system(command.c_str());
}

// A 255-page SAD with a text in every box and its dump, made once.
const std::filesystem::path& FullSad() {
    static const std::filesystem::path path = [] {
        ::setenv("TARVEX_SETTINGS_DIR", (Folder() / "settings").c_str(), 1);
        const auto file = Folder() / "full.aef";
        tarvex::CEinheitspapierDoc doc(nullptr);
        doc.OnNewDocument();
        doc.SetContinuationCount(254);
        tarvex::CFieldStore& s = doc.Store();
        for (int p = 1; p <= s.GetPageCount(); ++p) {
            const int n = p == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
            for (int f = 0; f < n; ++f)
                s.SetFieldText(f,
                               u"Seite " + tarvex::FromUtf8(std::to_string(p)) + u" Feld " +
                                   tarvex::FromUtf8(std::to_string(f)) + u"\r\nÄÖÜ äöü ß",
                               p);
        }
        std::string error;
        tarvex::SaveAefFile(file, doc, error);
        Run("dump '" + file.string() + "' > '" + (Folder() / "full.json").string() + "'");
        return file;
    }();
    return path;
}

void BM_Fill255PageSadFromJson(benchmark::State& state) {
    const auto& sad = FullSad();
    const std::string args =
        "fill '" + (Folder() / "full.json").string() + "' -o '" + (Folder() / "filled.aef").string() + "'";
    for (auto _ : state)
        if (Run(args) != 0) state.SkipWithError("fill failed");
    std::ifstream a(sad, std::ios::binary), b(Folder() / "filled.aef", std::ios::binary);
    const std::string x((std::istreambuf_iterator<char>(a)), {}), y((std::istreambuf_iterator<char>(b)), {});
    if (x != y) state.SkipWithError("the filled file differs from the dumped one");
    state.counters["jsonMB"] = static_cast<double>(std::filesystem::file_size(Folder() / "full.json")) / 1e6;
}
BENCHMARK(BM_Fill255PageSadFromJson)->Unit(benchmark::kMillisecond)->Iterations(5);

// The peer in the same run: the dump of the same document.
void BM_Dump255PageSad(benchmark::State& state) {
    const auto& sad = FullSad();
    const std::string args = "dump '" + sad.string() + "' > /dev/null";
    for (auto _ : state)
        if (Run(args) != 0) state.SkipWithError("dump failed");
}
BENCHMARK(BM_Dump255PageSad)->Unit(benchmark::kMillisecond)->Iterations(5);

// The floor of any fill: the same document read and written again (atomic, synced) by `tarvex
// convert`.
void BM_Convert255PageSad(benchmark::State& state) {
    const auto& sad = FullSad();
    const std::string args = "convert '" + sad.string() + "' '" + (Folder() / "converted.aef").string() + "'";
    for (auto _ : state)
        if (Run(args) != 0) state.SkipWithError("convert failed");
}
BENCHMARK(BM_Convert255PageSad)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
