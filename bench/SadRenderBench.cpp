// Repaint of one SAD page with every field filled, at zoom 16, into an offscreen image.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <string>

#include "core/app/Profile.h"
#include "core/formview/FieldDefinitions.h"
#include "core/formview/FormZoom.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPageRenderer.h"

using namespace tarvex;

namespace {

void PaintPage(benchmark::State& state, int page) {
    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    CFieldStore& s = doc.Store();
    for (int i = 0; i < s.GetFieldCount1(); ++i) s.SetFieldText(i, u"Text " + std::u16string(1, u'A' + i % 26), 1);
    for (int i = 0; i < s.GetFieldCount2(); ++i) s.SetFieldText(i, u"Text " + std::u16string(1, u'a' + i % 26), 2);
    ApplySadAlignments(s, 1);
    ApplySadAlignments(s, 2);
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    SadRenderOptions o;
    o.zoom = 16;
    o.definitions = &defs;
    o.inputTax = true;
    CSadPageRenderer renderer;
    renderer.Prepare(&profile, 16);
    const QSize logical = CSadPageRenderer::DocumentSize(16);
    QImage image(HimetricToPixels(logical.width() * 10, 96), HimetricToPixels(logical.height() * 10, 96),
                 QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setWorldTransform(CSadPageRenderer::LogicalToDevice(96));
        renderer.Render(painter, s, page, o);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_FirstSheetZoom16(benchmark::State& state) { PaintPage(state, 1); }
void BM_ContinuationSheetZoom16(benchmark::State& state) { PaintPage(state, 2); }
BENCHMARK(BM_FirstSheetZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinuationSheetZoom16)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qargc = 1;
    char name[] = "SadRenderBench";
    char* qargv[] = {name, nullptr};
    QGuiApplication app(qargc, qargv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
