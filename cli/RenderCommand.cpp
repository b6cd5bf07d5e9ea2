// tarvex render: the screen picture of one page of an .aef file as PNG, drawn by the view's
// renderer without a display.

#ifdef TARVEX_CLI_HAS_UI

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "app/QSettingsProfile.h"
#include "common/TextCodec.h"
#include "formview/FieldDefinitions.h"
#include "formview/FormZoom.h"
#include "sad/AefFormat.h"
#include "sad/EinheitspapierDoc.h"
#include "sad/SadLayout.h"
#include "sad/SadPageRenderer.h"
#include "sad/SadStrings.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "render FILE [--page N] [--zoom Z] -o OUT.png";
constexpr int kScreenDpi = 96;

bool ParseInt(const std::string& s, int min, int max, int& out) {
    try {
        size_t pos = 0;
        const int v = std::stoi(s, &pos);
        if (pos != s.size() || v < min || v > max) return false;
        out = v;
        return true;
    } catch (...) {
        return false;
    }
}

int RunRender(const std::vector<std::string>& args) {
    std::string in, out;
    int page = 1, zoom = 10;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--page" && hasValue) {
            if (!ParseInt(args[++i], 1, 255, page)) return UsageError(kUsage);
        } else if (a == "--zoom" && hasValue) {
            if (!ParseInt(args[++i], kZoomMin, kZoomMax, zoom)) return UsageError(kUsage);
        } else if (a == "-o" && hasValue) {
            out = args[++i];
        } else if (!a.empty() && a[0] != '-' && in.empty()) {
            in = a;
        } else {
            return UsageError(kUsage);
        }
    }
    if (in.empty() || out.empty()) return UsageError(kUsage);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tarvex";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QSettingsProfile profile(QSettingsProfile::Area::Profile);
    QSettingsProfile programArea(QSettingsProfile::Area::ProgramArea);
    CFieldDefinitions definitions;
    definitions.ResetToBuiltIn();
    LoadFieldDefinitions(definitions, profile, programArea);

    CEinheitspapierDoc doc(&profile);
    std::string error;
    if (!LoadAefFile(std::filesystem::u8path(in), doc, error)) {
        std::cerr << "tarvex: " << in << ": " << error << "\n";
        return kExitFile;
    }
    if (doc.m_nLoadStatus != 0) {
        std::cerr << "tarvex: " << in << ": "
                  << ToUtf8(doc.m_nLoadStatus == 19 ? sadstr::kStatus19 : sadstr::kStatus18) << "\n";
        return kExitFile;
    }
    if (page > doc.Store().GetPageCount()) {
        std::cerr << "tarvex: " << in << ": the document has " << doc.Store().GetPageCount() << " pages\n";
        return kExitUsage;
    }
    // As the view shows it: an export file or one without a form is drawn as 0737 / 0738; the
    // sheets get their alignments and the crossed-out boxes are off the form.
    const char* sec = "EHForm_Defaults";
    const int variant = doc.m_nFormVariant >= 0 && doc.m_nFormVariant <= 3 ? doc.m_nFormVariant : 0;
    ApplySadAlignments(doc.Store(), 1);
    if (doc.Store().GetPageCount() >= 2) ApplySadAlignments(doc.Store(), 2);
    SadRenderOptions o;
    o.zoom = zoom;
    o.variant = variant;
    o.stampA = profile.GetProfileInt(sec, "Stamp_A", 0) != 0;
    o.stampC = profile.GetProfileInt(sec, "Stamp_C", 0) != 0;
    o.showCrossedOut = profile.GetProfileInt(sec, "EH_ShowXX", 1) == 1;
    o.inputTax = doc.m_nInputTax == 1;
    const int c = profile.GetProfileInt(sec, "EditTextColor", 0xFF0000);
    o.textColour = QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    if (o.showCrossedOut) {
        for (int f : SadCrossedOut(SadSheet::First, variant)) definitions.Set(1, f, variant, kDefNotOnForm);
        for (int f : SadCrossedOut(SadSheet::Continuation, variant)) definitions.Set(2, f, variant, kDefNotOnForm);
    }
    o.definitions = &definitions;

    CSadPageRenderer renderer;
    renderer.Prepare(&profile, zoom);
    const QSize logical = CSadPageRenderer::DocumentSize(zoom, profile.GetProfileInt(sec, "DocWidth", 205),
                                                         profile.GetProfileInt(sec, "DocLength", 350));
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

#endif
