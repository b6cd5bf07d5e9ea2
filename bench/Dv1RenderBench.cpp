// D.V.1 pages with every field filled. BM_Render* draw one page into an offscreen image at zoom 16
// with the renderer alone (as the view, PNG export and `tarvex render` do); BM_Pdf10Pages prints
// every page of a 10-page document into one PDF in memory, as ten print jobs would print them.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <string>

#include "core/dv1/Dv1Doc.h"
#include "core/formview/FormZoom.h"
#include "core/settings/Profile.h"
#include "render/dv1/Dv1PageRenderer.h"
#include "render/dv1/Dv1Printer.h"

using namespace tarvex;

namespace {

void Fill(CDV1_Doc& doc, int pages) {
    doc.OnNewDocument();
    while (doc.Store().GetPageCount() < pages) doc.AddPage();
    CFieldStore& s = doc.Store();
    for (int i = 0; i < s.GetFieldCount1(); ++i) s.SetFieldText(i, u"Text " + std::u16string(1, u'A' + i), 1);
    for (int p = 2; p <= pages; ++p)
        for (int i = 0; i < s.GetFieldCount2(); ++i) s.SetFieldText(i, u"1.234.567,89", p);
    for (size_t b = 0; b < doc.m_Checks.size(); b += 2) doc.m_Checks[b] = 1;
}

void RenderPage(benchmark::State& state, int page) {
    CMemoryProfile profile;
    CDV1_Doc doc;
    Fill(doc, 3);
    CDv1PageRenderer renderer;
    renderer.Prepare(&profile, 16);
    Dv1RenderOptions o = Dv1RenderOptionsFromSettings(profile, 16);
    o.markedFields = {2, 4};
    const QSize logical = CDv1PageRenderer::DocumentSize(16);
    QImage image(HimetricToPixels(logical.width() * 10, 96), HimetricToPixels(logical.height() * 10, 96),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setWorldTransform(CDv1PageRenderer::LogicalToDevice(96));
        renderer.Render(painter, doc, page, o);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_RenderFrontZoom16(benchmark::State& state) {
    RenderPage(state, 1);
}
void BM_RenderBackZoom16(benchmark::State& state) {
    RenderPage(state, 2);
}
void BM_RenderBisFrontZoom16(benchmark::State& state) {
    RenderPage(state, 3);
}

void BM_Pdf10Pages(benchmark::State& state) {
    CMemoryProfile profile;
    CDV1_Doc doc;
    Fill(doc, 10);
    size_t bytes = 0;
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        QPainter painter(&writer);
        for (int page = 1; page <= 10; ++page) {
            if (page > 1) writer.newPage();
            PrintDv1Page(painter, doc, page, profile, writer.resolution());
        }
        painter.end();
        bytes = static_cast<size_t>(pdf.size());
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_RenderFrontZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderBackZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderBisFrontZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf10Pages)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qargc = 1;
    char name[] = "Dv1RenderBench";
    char* qargv[] = {name, nullptr};
    QGuiApplication app(qargc, qargv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
