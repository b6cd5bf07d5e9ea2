// The article master data on a table of 100 000 entries (the 8-field layout): opening it as the
// article dialog does (load in one pass and both sort orders), each step alone, and the search
// of the filter field, the first time (building the folded texts) and again.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/masterdata/TarvexStammDaten.h"

namespace {

constexpr int kArticles = 100000;

// Writes the table once per process (bytes by hand) and removes it at exit.
class ArticleTable {
public:
    ArticleTable() {
        m_folder = std::filesystem::temp_directory_path() / "tarvex-article-bench";
        std::filesystem::create_directories(m_folder);
        const char* goods[] = {"Schrauben", "Muttern",      "K\xE4se", "\xC4pfel", "Notebooks", "Zangen",
                               "Kabel",     "Schl\xE4uche", "Ventile", "Lager",    "Pumpen",    "Stoffe"};
        const char* kinds[] = {"verzinkt", "Edelstahl", "gereift", "frisch", "14 Zoll", "isoliert"};
        const char* lands[] = {"DE", "CN", "IT", "NL", "FR", "US", "PL"};
        std::mt19937 rng(4711);
        const uint16_t widths[] = {254, 8, 2, 4, 4, 1, 3, 3};
        const char* names[] = {"WBESCH1", "WNR1", "WNR2", "WNR3", "WNR4", "WNR5", "LAND1", "LAND2"};
        const uint16_t headerLength = 32 * 8 + 33, recordLength = 1 + 254 + 8 + 2 + 4 + 4 + 1 + 3 + 3;
        std::vector<uint8_t> b(32, 0);
        b[0] = 3;
        b[1] = 124;
        b[2] = 5;
        b[3] = 17;
        for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(kArticles >> (8 * i));
        b[8] = headerLength & 0xFF;
        b[9] = headerLength >> 8;
        b[10] = recordLength & 0xFF;
        b[11] = recordLength >> 8;
        for (int f = 0; f < 8; ++f) {
            std::vector<uint8_t> d(32, 0);
            std::copy(names[f], names[f] + std::char_traits<char>::length(names[f]), d.begin());
            d[11] = 'C';
            d[16] = static_cast<uint8_t>(widths[f]);
            b.insert(b.end(), d.begin(), d.end());
        }
        b.push_back(0x0D);
        auto put = [&](std::string s, size_t width) {
            s.resize(width, ' ');
            b.insert(b.end(), s.begin(), s.end());
        };
        for (int n = 1; n <= kArticles; ++n) {
            b.push_back(' ');
            put(std::string(goods[rng() % 12]) + " " + kinds[rng() % 6] + " Nr. " +
                    std::to_string(rng() % 100000) + "\r\n" + std::to_string(1 + rng() % 50) +
                    " Kartons\r\nZeichen " + std::to_string(rng() % 1000),
                254);
            put(std::to_string(10000000 + rng() % 89999999), 8);
            put(std::to_string(10 + rng() % 89), 2);
            put("", 4);
            put("", 4);
            put("", 1);
            put(lands[rng() % 7], 3);
            put(std::to_string(rng() % 16), 3);
        }
        b.push_back(0x1A);
        std::ofstream out(m_folder / "ARTIKEL1.DBF", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
    ~ArticleTable() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    const std::filesystem::path& Folder() const { return m_folder; }

private:
    std::filesystem::path m_folder;
};

const ArticleTable& Table() {
    static ArticleTable table;
    return table;
}

void Load(tarvex::CTarvexStammDaten& data, benchmark::State& state) {
    data.SetTablePath(Table().Folder(), u"ARTIKEL1.DBF", tarvex::kLayout8, {});
    if (data.LoadArticles() != 0 || data.GetArticleCount() != kArticles) state.SkipWithError("load failed");
}

// What opening the article dialog costs before it shows: the table and both list orders.
void BM_Articles_OpenAndSort(benchmark::State& state) {
    Table();
    for (auto _ : state) {
        tarvex::CTarvexStammDaten data;
        Load(data, state);
        benchmark::DoNotOptimize(data.OrderByDescription());
        benchmark::DoNotOptimize(data.OrderByCode());
    }
    state.SetItemsProcessed(state.iterations() * kArticles);
}

void BM_Articles_Load(benchmark::State& state) {
    Table();
    for (auto _ : state) {
        tarvex::CTarvexStammDaten data;
        Load(data, state);
    }
    state.SetItemsProcessed(state.iterations() * kArticles);
}

void BM_Articles_SortByDescription(benchmark::State& state) {
    tarvex::CTarvexStammDaten data;
    Load(data, state);
    for (auto _ : state) benchmark::DoNotOptimize(data.OrderByDescription());
    state.SetItemsProcessed(state.iterations() * kArticles);
}

void BM_Articles_SortByCode(benchmark::State& state) {
    tarvex::CTarvexStammDaten data;
    Load(data, state);
    for (auto _ : state) benchmark::DoNotOptimize(data.OrderByCode());
    state.SetItemsProcessed(state.iterations() * kArticles);
}

// The first search after loading or an edit builds the folded texts.
void BM_Articles_SearchFirst(benchmark::State& state) {
    tarvex::CTarvexStammDaten data;
    Load(data, state);
    const std::vector<int> order = data.OrderByDescription();
    for (auto _ : state) {
        state.PauseTiming();
        data.SetArticle(0, data.GetArticle(0));  // drops the folded texts
        state.ResumeTiming();
        benchmark::DoNotOptimize(data.Filter(order, u"schl\u00e4uche"));
    }
    state.SetItemsProcessed(state.iterations() * kArticles);
}

// Each further key typed into the filter field.
void BM_Articles_SearchAgain(benchmark::State& state) {
    tarvex::CTarvexStammDaten data;
    Load(data, state);
    const std::vector<int> order = data.OrderByDescription();
    data.Filter(order, u"x");
    const char16_t* texts[] = {u"k", u"k\u00e4", u"k\u00e4s", u"8471", u"zeichen 99"};
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(data.Filter(order, texts[i++ % 5]));
    state.SetItemsProcessed(state.iterations() * kArticles);
}

}  // namespace

BENCHMARK(BM_Articles_OpenAndSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Articles_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Articles_SortByDescription)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Articles_SortByCode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Articles_SearchFirst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Articles_SearchAgain)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
