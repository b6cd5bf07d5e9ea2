// tarvex render: the screen picture of one page of an .aef file as PNG, drawn by the view's
// renderer without a display.

#include <QImage>
#include <QPainter>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "PageCommands.h"
#include "render/app/QSettingsProfile.h"
#include "core/app/SettingsKeys.h"
#include "core/formview/FieldDefinitions.h"
#include "core/formview/FormZoom.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "render/sad/SadPageRenderer.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "render FILE [--page N] [--zoom Z] -o OUT.png";
constexpr int kScreenDpi = 96;

int RunRender(const std::vector<std::string>& args) {
    PageArgs a;
    a.option = 10;
    if (int rc = ParsePageArgs(args, kUsage, "--zoom", kZoomMin, kZoomMax, a); rc >= 0) return rc;
    auto app = MakeOffscreenApplication();
    PageJob job;
    if (int rc = LoadPageJob(a, job); rc >= 0) return rc;
    CEinheitspapierDoc& doc = *job.doc;
    Profile& profile = *job.profile;
    CFieldDefinitions& definitions = job.definitions;
    const int zoom = a.option, page = a.page;
    const std::string& out = a.out;
    // As the view shows it: an export file or one without a form is drawn as 0737 / 0738; the
    // sheets get their alignments and the crossed-out boxes are off the form.
    const char* sec = settings::kEHForm;
    const int variant = doc.m_nFormVariant >= 0 && doc.m_nFormVariant <= 3 ? doc.m_nFormVariant : 0;
    ApplySadAlignments(doc.Store(), 1);
    if (doc.Store().GetPageCount() >= 2) ApplySadAlignments(doc.Store(), 2);
    SadRenderOptions o;
    o.zoom = zoom;
    o.variant = variant;
    o.stampA = settings::Get(profile, sec, settings::kStampA) != 0;
    o.stampC = settings::Get(profile, sec, settings::kStampC) != 0;
    o.showCrossedOut = settings::Get(profile, sec, settings::kEHShowXX) == 1;
    o.inputTax = doc.m_nInputTax == 1;
    const int c = settings::Get(profile, sec, settings::kEditTextColor);
    o.textColour = QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    if (o.showCrossedOut) {
        for (int f : SadCrossedOut(SadSheet::First, variant)) definitions.Set(1, f, variant, kDefNotOnForm);
        for (int f : SadCrossedOut(SadSheet::Continuation, variant)) definitions.Set(2, f, variant, kDefNotOnForm);
    }
    o.definitions = &definitions;

    CSadPageRenderer renderer;
    renderer.Prepare(&profile, zoom);
    const QSize logical = CSadPageRenderer::DocumentSize(zoom, settings::Get(profile, sec, settings::kDocWidth),
                                                         settings::Get(profile, sec, settings::kDocLength));
    QImage image(HimetricToPixels(logical.width() * 10, kScreenDpi), HimetricToPixels(logical.height() * 10, kScreenDpi),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setWorldTransform(CSadPageRenderer::LogicalToDevice(kScreenDpi));
        renderer.Render(painter, doc.Store(), page, o);
    }
    if (!image.save(QString::fromStdString(out), "PNG")) {
        std::cerr << "tarvex: cannot write " << out << "\n";
        return kExitFile;
    }
    return kExitOk;
}

const CommandRegistrar kRender("render", kUsage, "draws the screen picture of one page of an SAD file as PNG",
                               RunRender);

}  // namespace
}  // namespace tarvex::cli
