// `tarvex layout dv1`, `tarvex render` and `tarvex pdf` on D.V.1 files, run as a separate program:
// the printed positions read back from the PDF with poppler (pdftotext -bbox for the texts,
// pdftoppm at 254 dpi, one pixel per 0.1 mm, for the registration marks and the crosses).

#ifndef _WIN32

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/dv1/FdvFormat.h"
#include "core/formview/FormZoom.h"
#include "tests/common/TestUtil.h"

using namespace tarvex;
using testutil::CliRun;
using testutil::QuoteArg;
using testutil::TempDir;

namespace {

struct Word {
    double xMin, yMin, xMax, yMax;  // 0.1 mm
};

struct Margins {
    int left[4] = {0, 0, 0, 0};
    int top[4] = {0, 0, 0, 0};
};

// A grey raster of one PDF page.
struct Raster {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    int DarkIn(int l, int t, int r, int b) const {
        int n = 0;
        for (int y = std::max(t, 0); y <= std::min(b, height - 1); ++y)
            for (int x = std::max(l, 0); x <= std::min(r, width - 1); ++x)
                if (pixels[static_cast<size_t>(y) * width + x] < 128) ++n;
        return n;
    }
};

class Dv1PageCli : public ::testing::Test {
protected:
    CliRun Tarvex(const std::string& args) { return testutil::RunTarvex(args, m_dir.Path()); }
    std::string Path(const std::string& name) { return QuoteArg((m_dir / name).string()); }

    void WriteSettings(const Margins& m) {
        std::filesystem::create_directories(m_dir / "settings" / "user" / "Dalrek");
        std::ofstream ini(m_dir / "settings" / "user" / "Dalrek" / "Tarvex-Import.ini");
        ini << "[DV1Form_Defaults]\n";
        for (int k = 0; k < 4; ++k)
            ini << "Left_Margin" << k + 1 << "_DV1=" << m.left[k] << "\nTop_Margin" << k + 1
                << "_DV1=" << m.top[k] << "\n";
    }

    void Save(const std::string& name, CDV1_Doc& doc) {
        std::string error;
        ASSERT_TRUE(SaveFdvFile(m_dir / name, doc, error)) << error;
    }

    std::map<std::string, Word> Words(const std::string& pdf, int page) {
        const std::string cmd = "pdftotext -bbox -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                " " + Path(pdf) + " -";
        std::string out;
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[65536];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
            pclose(p);
        }
        constexpr double kTenthsPerPoint = 254.0 / 72.0;
        static const std::regex re(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
        std::map<std::string, Word> words;
        for (auto it = std::sregex_iterator(out.begin(), out.end(), re); it != std::sregex_iterator(); ++it) {
            const std::smatch& m = *it;
            words[m[5]] = {std::stod(m[1]) * kTenthsPerPoint, std::stod(m[2]) * kTenthsPerPoint,
                           std::stod(m[3]) * kTenthsPerPoint, std::stod(m[4]) * kTenthsPerPoint};
        }
        return words;
    }

    Raster Rasterize(const std::string& pdf) {
        Raster r;
        const std::string cmd = "pdftoppm -r 254 -gray -f 1 -l 1 " + Path(pdf) + " " + Path("raster");
        if (std::system(cmd.c_str()) != 0) return r;
        std::ifstream in(m_dir / "raster-1.pgm", std::ios::binary);
        std::string magic;
        int maxValue = 0;
        in >> magic >> r.width >> r.height >> maxValue;
        in.get();
        if (magic != "P5" || maxValue != 255) return {};
        r.pixels.resize(static_cast<size_t>(r.width) * r.height);
        in.read(reinterpret_cast<char*>(r.pixels.data()), static_cast<std::streamsize>(r.pixels.size()));
        return r;
    }

    TempDir m_dir;
};

size_t CountOf(const std::string& hay, const std::string& needle) {
    size_t n = 0;
    for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
    return n;
}

// Fields sampled on every page kind: typed texts, sums and the exceptions of the print table.
const std::map<Dv1PageKind, std::vector<int>> kSampled = {
    {Dv1PageKind::Front, {0, 3, 7, 9, 11}},
    {Dv1PageKind::Back, {0, 1, 3, 16, 29, 49, 51, 52, 53, 60}},
    {Dv1PageKind::BisFront, {0, 2, 5, 22, 48, 50, 53, 56, 57}},
};

std::string WordOf(int page, int field) {
    return "P" + std::to_string(page) + "F" + std::to_string(field);
}

// Five pages, every page kind and both supplementary-sheet kinds; the sampled fields hold a word
// naming page and field. The sums 53-56 of the BIS front are set left-aligned, so that their
// printed left edge (1030, not 1130) shows.
CDV1_Doc SampleDocument() {
    CDV1_Doc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 3; ++i) doc.AddPage();
    for (int page = 1; page <= 5; ++page)
        for (int f : kSampled.at(Dv1PageKindOf(page))) {
            const std::string w = WordOf(page, f);
            doc.Store().SetFieldText(f, std::u16string(w.begin(), w.end()), page);
            if (Dv1PageKindOf(page) == Dv1PageKind::BisFront && f >= 53 && f <= 56)
                doc.Store().SetFieldFlags(f, page, 0x0003);
        }
    doc.m_Checks = {0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 1};
    return doc;
}

}  // namespace

TEST_F(Dv1PageCli, LayoutDv1ListsTheThreeGeometries) {
    const CliRun r = Tarvex("layout dv1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind("{\"geometries\":[{\"geometry\":\"front\",\"fields\":[{\"index\":0,\"rect\":[130,90,"
                    "1090,300],\"printRect\":[130,90,1090,300]},",
                    0),
        0u)
        << r.out.substr(0, 200);
    EXPECT_EQ(CountOf(r.out, "\"printRect\":"), size_t(12 + 61 + 61));
    EXPECT_EQ(CountOf(r.out, "\"boxes\":"), 1u);  // the front only
    EXPECT_NE(r.out.find("\"boxes\":[[1365,-1185,1415,-1235],[1620,-1185,1670,-1235],"), std::string::npos);
    EXPECT_NE(r.out.find("{\"geometry\":\"back\""), std::string::npos);
    EXPECT_NE(r.out.find("{\"geometry\":\"bis-front\""), std::string::npos);
    // The print-rectangle exceptions.
    EXPECT_NE(r.out.find("{\"index\":52,\"rect\":[350,2675,1900,2840],\"printRect\":[350,2800,1900,2800]}"),
              std::string::npos);
    EXPECT_NE(r.out.find("{\"index\":52,\"rect\":[0,0,0,0],\"printRect\":[0,0,0,0]}"), std::string::npos);
    EXPECT_NE(r.out.find("{\"index\":53,\"rect\":[1130,660,1355,720],\"printRect\":[1030,660,1355,720]}"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"rulings\":[[[100,-50,1110,-50],"), std::string::npos);
    EXPECT_NE(r.out.find("[[100,-560,1110,-560]],[[1110,-50,1920,-50],"), std::string::npos);
    EXPECT_NE(r.out.find("{\"index\":73,\"x\":140,\"y\":-2750,\"text\":\"Auf das Merkblatt \\\"Zollwert\\\" "
                         "(Vordruck 0466) wird hingewiesen.\",\"bold\":false}"),
              std::string::npos);
    EXPECT_NE(
        r.out.find("{\"index\":109,\"x\":360,\"y\":-4000,\"text\":\"Zusätzliche Angaben\",\"bold\":true}"),
        std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 6), "}]}]}\n");
}

// Every sampled field's text where the print command puts it: x0 = left margin + 30 and
// y0 = 10 - top margin of the page's pair, the left text 1 mm in, the right text 1.2 mm before
// the edge, the top at the rectangle's top; within 0.1 mm.
TEST_F(Dv1PageCli, PdfPutsTheFieldsOfEveryPageKindWhereTheFormHasThem) {
    CDV1_Doc doc = SampleDocument();
    Save("sample.fdv", doc);
    Margins shifted;
    for (int k = 0; k < 4; ++k) {
        shifted.left[k] = 20 * (k + 1) - 35;               // -15, 5, 25, 45
        shifted.top[k] = 15 * (k + 1) * (k % 2 ? 1 : -1);  // -15, 30, -45, 60
    }
    for (const Margins& m : {Margins{}, shifted}) {
        WriteSettings(m);
        for (int page = 1; page <= 5; ++page) {
            const CliRun r = Tarvex("pdf " + Path("sample.fdv") + " --page " + std::to_string(page) + " -o " +
                                    Path("out.pdf"));
            ASSERT_EQ(r.exitCode, 0) << r.err;
            const auto words = Words("out.pdf", 1);
            const Dv1PageKind kind = Dv1PageKindOf(page);
            const int pair = page == 1 ? 0 : page == 2 ? 1 : page % 2 ? 2 : 3;
            const int x0 = m.left[pair] + 30, y0 = 10 - m.top[pair];
            for (int f : kSampled.at(kind)) {
                const std::string w = WordOf(page, f);
                const std::string what =
                    w + " margins " + std::to_string(m.left[pair]) + "/" + std::to_string(m.top[pair]);
                if (kind == Dv1PageKind::BisFront && f == 52) {
                    EXPECT_EQ(words.count(w), 0u) << what;  // no place on a BIS front
                    continue;
                }
                ASSERT_EQ(words.count(w), 1u) << what;
                const Word& got = words.at(w);
                const Dv1Rect r = Dv1PrintRect(kind, f);
                const bool left = (doc.Store().GetFieldFlags(f, page) & 0x0F00) == 0;
                if (left)
                    EXPECT_NEAR(got.xMin, x0 + r.left + 10, 1.0) << what;
                else
                    EXPECT_NEAR(got.xMax, x0 + r.right - 12, 1.0) << what;
                EXPECT_NEAR(got.yMin, r.top - y0, 1.0) << what;
            }
            // Nothing of another page comes along.
            for (const auto& [text, w] : words)
                EXPECT_EQ(text.rfind("P" + std::to_string(page) + "F", 0), 0u);
        }
    }
}

// The registration marks and, on the front, a cross in every ticked box, in a 254-dpi raster;
// the crosses stay in their boxes with the fields whatever the front's top margin.
TEST_F(Dv1PageCli, PdfMarksAndCrossesInTheRaster) {
    CDV1_Doc doc = SampleDocument();
    Save("sample.fdv", doc);
    struct Case {
        int page, left, top;
    };
    for (const Case& c : {Case{1, 0, 0}, Case{1, 0, 60}, Case{1, 35, -40}, Case{2, 0, 0}, Case{5, -20, 30}}) {
        Margins m;
        const int pair = c.page == 1 ? 0 : c.page == 2 ? 1 : 2;
        m.left[pair] = c.left;
        m.top[pair] = c.top;
        WriteSettings(m);
        const CliRun r = Tarvex("pdf " + Path("sample.fdv") + " --page " + std::to_string(c.page) + " -o " +
                                Path("m.pdf"));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const Raster img = Rasterize("m.pdf");
        ASSERT_NEAR(img.width, 2100, 1);  // A4 at 254 dpi, rounded up
        ASSERT_NEAR(img.height, 2970, 1);
        const int x0 = c.left + 30, y0 = 10 - c.top;
        const std::string what = "page " + std::to_string(c.page) + " margins " + std::to_string(c.left) +
                                 "/" + std::to_string(c.top);
        // The upper mark: a corner with one arm down and one to the right; the lower mark a line
        // (painter y = -(y0 - form y)).
        const int mx = x0 + (c.page == 1 ? 100 : 10), my = (c.page == 1 ? 70 : 80) - y0;
        EXPECT_GT(img.DarkIn(mx - 1, my + 2, mx + 1, my + 18), 10) << what;
        EXPECT_GT(img.DarkIn(mx + 2, my - 1, mx + 18, my + 1), 10) << what;
        EXPECT_GT(img.DarkIn(mx - 1, 2005 - y0, mx + 1, 2035 - y0), 20) << what;
        EXPECT_EQ(img.DarkIn(mx - 2, 2045 - y0, mx + 2, 2100 - y0), 0) << what;
        for (int b = 0; b < kDv1BoxCount; ++b) {
            const Dv1Rect box = Dv1BoxRectDown(b);
            const int l = x0 + box.left, t = box.top - y0, rr = x0 + box.right, bb = box.bottom - y0;
            const int inside = img.DarkIn(l + 3, t + 3, rr - 3, bb - 3);
            const bool crossed = c.page == 1 && doc.m_Checks[static_cast<size_t>(b)] != 0;
            EXPECT_EQ(inside > 60, crossed) << what << " box " << b << ": " << inside;
            if (crossed) {
                // Both diagonals through the middle, nothing beyond the box.
                EXPECT_GT(img.DarkIn((l + rr) / 2 - 2, (t + bb) / 2 - 2, (l + rr) / 2 + 2, (t + bb) / 2 + 2),
                          0);
                EXPECT_EQ(img.DarkIn(l - 10, t - 10, rr + 10, bb + 10),
                          img.DarkIn(l - 2, t - 2, rr + 2, bb + 2))
                    << what << " box " << b;
            }
        }
    }
}

TEST_F(Dv1PageCli, PdfCopiesAndRender) {
    CDV1_Doc doc = SampleDocument();
    Save("sample.fdv", doc);
    CliRun r = Tarvex("pdf " + Path("sample.fdv") + " --page 3 --copies 3 -o " + Path("c.pdf"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (int p = 1; p <= 3; ++p) EXPECT_EQ(Words("c.pdf", p).count("P3F0"), 1u) << p;
    EXPECT_TRUE(Words("c.pdf", 4).empty());

    for (int zoom : {10, 17}) {
        r = Tarvex("render " + Path("sample.fdv") + " --page 4 --zoom " + std::to_string(zoom) + " -o " +
                   Path("p.png"));
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::vector<uint8_t> png = testutil::ReadBytes(m_dir / "p.png");
        ASSERT_GE(png.size(), 24u);
        auto be32 = [&](size_t at) {
            return uint32_t(png[at]) << 24 | uint32_t(png[at + 1]) << 16 | uint32_t(png[at + 2]) << 8 |
                   png[at + 3];
        };
        EXPECT_EQ(be32(16), uint32_t(HimetricToPixels(205 * zoom * 10, 96)));
        EXPECT_EQ(be32(20), uint32_t(HimetricToPixels(350 * zoom * 10, 96)));
    }

    struct Failure {
        std::string args;
        int exitCode;
    } failures[] = {
        {"render " + Path("sample.fdv") + " --page 6 -o " + Path("x.png"), 2},
        {"pdf " + Path("sample.fdv") + " --page 6 -o " + Path("x.pdf"), 2},
        {"pdf " + Path("sample.fdv") + " --copies 0 -o " + Path("x.pdf"), 2},
        {"pdf " + QuoteArg(std::string(TARVEX_FIXTURES_DIR) + "/fdv/unknown.fdv") + " -o " + Path("x.pdf"),
         1},
        {"render " + QuoteArg(std::string(TARVEX_FIXTURES_DIR) + "/fdv/short.fdv") + " -o " + Path("x.png"),
         1},
        {"pdf " + Path("sample.fdv") + " -o " + Path("no/such/folder/x.pdf"), 1},
    };
    for (const Failure& f : failures) {
        const CliRun bad = Tarvex(f.args);
        EXPECT_EQ(bad.exitCode, f.exitCode) << f.args << ": " << bad.err;
        EXPECT_FALSE(bad.err.empty()) << f.args;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "x.png") || std::filesystem::exists(m_dir / "x.pdf"));
    }
}

#endif
