// A whole SAD declaration into one PDF: the first sheet and 254 continuation sheets, every box
// filled, with the form picture ("mit Formular") and onto pre-printed paper. The pages are drawn
// one at a time; run under /usr/bin/time -v to see the peak memory. `--write-aef FILE` writes the
// same document for timing `tarvex pdf FILE --pages all --with-form`.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <array>
#include <cstring>
#include <iostream>
#include <string>

#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadLayout.h"
#include "core/settings/Profile.h"
#include "render/formview/FieldText.h"
#include "render/sad/SadPrinter.h"

using namespace tarvex;

namespace {

void FillDeclaration(CEinheitspapierDoc& doc) {
    CFieldStore& s = doc.Store();
    while (s.GetPageCount() < 255 && s.AddPage()) {
    }
    for (int i = 0; i < s.GetFieldCount1(); ++i)
        s.SetFieldText(i, u"Text " + std::u16string(1, u'A' + i % 26), 1);
    for (int page = 2; page <= s.GetPageCount(); ++page)
        for (int i = 0; i < s.GetFieldCount2(); ++i)
            s.SetFieldText(i, u"Pos " + std::u16string(1, u'a' + (i + page) % 26), page);
    ApplySadAlignments(s, 1);
    for (int page = 2; page <= s.GetPageCount(); ++page) ApplySadAlignments(s, page);
}

void PrintAll(benchmark::State& state, PrintMode mode) {
    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    doc.m_nFormVariant = 0;
    doc.m_nInputTax = 1;
    FillDeclaration(doc);
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("all.pdf")).toStdString();
    for (auto _ : state) {
        const CSadPrintSource source(doc, profile, defs);
        PrintJobOptions o;
        o.first = 1;
        o.last = doc.Store().GetPageCount();
        o.mode = mode;
        QString error;
        if (PrintJobToPdf(out, source, o, error) != PrintOutcome::Done) state.SkipWithError("print failed");
    }
    state.counters["pages"] = doc.Store().GetPageCount();
}

void BM_Sad255PagesWithForm(benchmark::State& state) {
    PrintAll(state, PrintMode::WithForm);
}
void BM_Sad255PagesPreprinted(benchmark::State& state) {
    PrintAll(state, PrintMode::Preprinted);
}
BENCHMARK(BM_Sad255PagesWithForm)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sad255PagesPreprinted)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floors: Qt's PDF writer alone, straight into a file at the same resolution, on as many A4
// pages, with the program's field font. The first draws the same strings of the entries only; the
// second draws what a page "mit Formular" holds: the red edge strip, the rulings and the captions
// of each sheet in their colours and fonts, and the entries, each group of lines in one call and
// each string prepared once.
void QtPdfFloor(benchmark::State& state, bool withForm) {
    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    FillDeclaration(doc);
    const CFieldStore& s = doc.Store();
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("floor.pdf"));
    const QFont entries = ArialCellHeight(134, 400);  // a 120-pixel em
    // The sheets' fixed content in form units, y downward: lines per pen, captions at their anchors.
    struct Sheet {
        std::vector<QVector<QLine>> lines;  // thin, heavy, dotted
        std::vector<std::pair<QPoint, QString>> captions;
    };
    std::array<Sheet, 2> sheets;
    for (int k = 0; k < 2; ++k) {
        const SadSheet sheet = k == 0 ? SadSheet::First : SadSheet::Continuation;
        for (int g = 0; g < 3; ++g) {
            QVector<QLine> lines;
            for (const SadSegment& l : SadRulingGroups(sheet)[static_cast<size_t>(g)])
                lines.append(QLine(l.x1, -l.y1, l.x2, -l.y2));
            sheets[static_cast<size_t>(k)].lines.push_back(lines);
        }
        for (const SadCaption& c : SadCaptions(sheet))
            if (!c.text.empty())
                sheets[static_cast<size_t>(k)].captions.emplace_back(QPoint(c.x, -c.y - 5),
                                                                     QString::fromStdU16String(c.text));
    }
    const QFont captionFont = ArialCellHeight(30, 400);  // the captions' font at print scale
    const QColor green(0x00, 0x80, 0x00);
    for (auto _ : state) {
        QFile file(out);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) state.SkipWithError("open failed");
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter(&writer);
        for (int page = 1; page <= s.GetPageCount(); ++page) {
            if (page > 1) writer.newPage();
            if (withForm) {
                const Sheet& sheet = sheets[page <= 1 ? 0 : 1];
                painter.save();
                painter.setWorldTransform(QTransform::fromScale(1200 / 254.0, 1200 / 254.0));
                for (int top = 2950, bottom = 2980; bottom > 0; top -= 60, bottom -= 60)
                    painter.fillRect(QRect(2010, top, 40, bottom - top), Qt::red);
                for (int g = 0; g < 3; ++g) {
                    QPen pen(green, g == 1 ? 4 : 1, g == 2 ? Qt::DotLine : Qt::SolidLine, Qt::FlatCap);
                    painter.setPen(pen);
                    painter.drawLines(sheet.lines[static_cast<size_t>(g)]);
                }
                painter.setFont(captionFont);
                for (const auto& [at, text] : sheet.captions) painter.drawText(at, text);
                painter.restore();
            }
            painter.setPen(Qt::black);
            painter.setFont(entries);
            const int n = page == 1 ? s.GetFieldCount1() : s.GetFieldCount2();
            for (int i = 0; i < n; ++i) {
                const QRect box(200 + (i % 6) * 1500, 300 + (i / 6) * 500, 1400, 450);
                painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                 QString::fromStdU16String(s.GetFieldText(i, page)));
            }
        }
        if (!painter.end()) state.SkipWithError("pdf failed");
    }
    state.counters["pages"] = s.GetPageCount();
}
void BM_QtPdfFloor255Pages(benchmark::State& state) {
    QtPdfFloor(state, false);
}
void BM_QtPdfFloorWithForm255Pages(benchmark::State& state) {
    QtPdfFloor(state, true);
}
BENCHMARK(BM_QtPdfFloor255Pages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QtPdfFloorWithForm255Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qargc = 1;
    char name[] = "PrintBench";
    char* qargv[] = {name, nullptr};
    QGuiApplication app(qargc, qargv);
    if (argc == 3 && std::strcmp(argv[1], "--write-aef") == 0) {
        CMemoryProfile profile;
        CEinheitspapierDoc doc(&profile);
        doc.m_nFormVariant = 0;
        FillDeclaration(doc);
        std::string error;
        if (!SaveAefFile(argv[2], doc, error)) {
            std::cerr << error << "\n";
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
