// Repaint of one SAD page with every field filled, at zoom 16. BM_*SheetZoom16 draw the whole page
// into an offscreen image with the renderer alone (as PNG export and printing do);
// BM_View*Zoom16 paint what the screen view paints at each repaint: a 1300 x 900 pixel viewport
// of the page, with the overflow marks and the settings the view draws with.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <string>

#include "core/formview/FormZoom.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadLayout.h"
#include "core/settings/Profile.h"
#include "render/app/QSettingsProfile.h"
#include "render/sad/SadPageRenderer.h"
#include "render/sad/SadPageSetup.h"

using namespace tarvex;

namespace {

void Fill(CFieldStore& s) {
    for (int i = 0; i < s.GetFieldCount1(); ++i)
        s.SetFieldText(i, u"Text " + std::u16string(1, u'A' + i % 26), 1);
    for (int i = 0; i < s.GetFieldCount2(); ++i)
        s.SetFieldText(i, u"Text " + std::u16string(1, u'a' + i % 26), 2);
    ApplySadAlignments(s, 1);
    ApplySadAlignments(s, 2);
}

void PaintPage(benchmark::State& state, int page) {
    CMemoryProfile profile;
    CEinheitspapierDoc doc(&profile);
    CFieldStore& s = doc.Store();
    Fill(s);
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

// The view's repaint: settings in the program's own store (QSettings on an INI file), the
// viewport scrolled a little into the page.
void PaintView(benchmark::State& state, int page) {
    QTemporaryDir dir;
    qputenv("TARVEX_SETTINGS_DIR", dir.path().toUtf8());
    QSettingsProfile profile(QSettingsProfile::Area::Profile);
    profile.WriteProfileInt("EHForm_Defaults", "Stamp_A", 1);
    CEinheitspapierDoc doc(&profile);
    doc.m_nFormVariant = 0;
    doc.m_nInputTax = 1;
    Fill(doc.Store());
    CFieldDefinitions defs;
    defs.ResetToBuiltIn();
    CSadPageRenderer renderer;
    renderer.Prepare(&profile, 16);
    QImage viewport(1300, 900, QImage::Format_RGB32);
    // The view reads its settings when it is created; the document's values at each paint.
    SadRenderOptions o = SadRenderOptionsFromSettings(profile, doc, &defs, 16);
    for (auto _ : state) {
        QPainter painter(&viewport);
        ApplySadDocumentOptions(o, doc, 16);
        PaintSadScreen(painter, viewport.rect(), QPoint(0, 200), 96, renderer, doc.Store(), page, o);
        painter.end();
        benchmark::DoNotOptimize(viewport.constBits());
    }
}

void BM_FirstSheetZoom16(benchmark::State& state) {
    PaintPage(state, 1);
}
void BM_ContinuationSheetZoom16(benchmark::State& state) {
    PaintPage(state, 2);
}
void BM_ViewFirstSheetZoom16(benchmark::State& state) {
    PaintView(state, 1);
}
void BM_ViewContinuationSheetZoom16(benchmark::State& state) {
    PaintView(state, 2);
}
BENCHMARK(BM_FirstSheetZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContinuationSheetZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewFirstSheetZoom16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewContinuationSheetZoom16)->Unit(benchmark::kMillisecond);

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
