// The D.V.1 side of layout, render and pdf: the form geometry as JSON, the screen picture of a
// page as PNG and a printed page as PDF, through the same renderer and print composition as the
// program.

#include <QImage>
#include <iostream>
#include <string>

#include "Commands.h"
#include "Dv1Commands.h"
#include "Json.h"
#include "PageCommands.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/dv1/FdvFormat.h"
#include "render/app/QSettingsProfile.h"
#include "render/dv1/Dv1PageRenderer.h"
#include "render/dv1/Dv1PrintSource.h"

namespace tarvex::cli {
namespace {

constexpr int kScreenDpi = 96;

std::string Numbers(std::initializer_list<int> values) {
    std::string out = "[";
    for (int v : values) {
        if (out.size() > 1) out += ",";
        out += std::to_string(v);
    }
    return out + "]";
}

std::string Rect(const Dv1Rect& r) {
    return Numbers({r.left, r.top, r.right, r.bottom});
}

std::string Geometry(Dv1PageKind kind) {
    std::string out = "{\"geometry\":";
    out += kind == Dv1PageKind::Front  ? "\"front\""
           : kind == Dv1PageKind::Back ? "\"back\""
                                       : "\"bis-front\"";
    out += ",\"fields\":[";
    for (const Dv1FieldGeometry& f : Dv1Fields(kind)) {
        if (f.index > 0) out += ",";
        out += "{\"index\":" + std::to_string(f.index) + ",\"rect\":" + Rect(f.rect) +
               ",\"printRect\":" + Rect(f.printRect) + "}";
    }
    out += "]";
    if (kind == Dv1PageKind::Front) {
        out += ",\"boxes\":[";
        bool first = true;
        for (const Dv1Rect& b : Dv1Boxes()) {
            out += (first ? "" : ",") + Rect(b);
            first = false;
        }
        out += "]";
    }
    out += ",\"rulings\":[";
    bool firstList = true;
    for (const auto& list : Dv1Rulings(kind)) {
        out += firstList ? "[" : ",[";
        firstList = false;
        bool first = true;
        for (const Dv1Segment& s : list) {
            out += (first ? "" : ",") + Numbers({s.x1, s.y1, s.x2, s.y2});
            first = false;
        }
        out += "]";
    }
    out += "],\"captions\":[";
    bool first = true;
    for (const Dv1Caption& c : Dv1Captions(kind)) {
        out += first ? "{" : ",{";
        first = false;
        out += "\"index\":" + std::to_string(c.index) + ",\"x\":" + std::to_string(c.x) +
               ",\"y\":" + std::to_string(c.y) + ",\"text\":";
        AppendJsonString(out, ToUtf8(std::u16string(c.text)));
        out += c.bold ? ",\"bold\":true}" : ",\"bold\":false}";
    }
    out += "]}";
    return out;
}

// The user's settings and the document, refused as the program refuses to open it.
struct Dv1PageJob {
    std::unique_ptr<QSettingsProfile> profile;
    std::unique_ptr<CDV1_Doc> doc;
};

std::optional<int> LoadDv1PageJob(const std::string& file, Dv1PageJob& job) {
    job.profile = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::Profile);
    job.doc = std::make_unique<CDV1_Doc>();
    std::string error;
    FdvReadInfo info;
    if (!LoadFdvFile(ArgPath(file), *job.doc, error, &info)) {
        std::cerr << "tarvex: " << file << ": " << error << "\n";
        return kExitFile;
    }
    if (const int message = FdvOpenMessage(*job.doc, info); message != 0) {
        std::cerr << "tarvex: " << file << ": " << ToUtf8(FdvLoadMessageText(message)) << "\n";
        return kExitFile;
    }
    return std::nullopt;
}

}  // namespace

int LayoutDv1() {
    std::cout << "{\"geometries\":[" << Geometry(Dv1PageKind::Front) << "," << Geometry(Dv1PageKind::Back)
              << "," << Geometry(Dv1PageKind::BisFront) << "]}\n";
    return kExitOk;
}

int RenderDv1(const RenderArgs& a) {
    Dv1PageJob job;
    if (auto rc = LoadDv1PageJob(a.in, job)) return *rc;
    if (auto rc = CheckPages(a.in, a.page, a.page, job.doc->Store().GetPageCount())) return *rc;
    const Dv1RenderOptions o = Dv1RenderOptionsFromSettings(*job.profile, a.zoom);
    CDv1PageRenderer renderer;
    renderer.Prepare(job.profile.get(), a.zoom);
    return WritePng(RenderDv1PageImage(renderer, *job.doc, a.page, o, *job.profile, kScreenDpi), a.out);
}

int PdfDv1(const PdfArgs& a) {
    Dv1PageJob job;
    if (auto rc = LoadDv1PageJob(a.in, job)) return *rc;
    return PrintPdf(a, CDv1PrintSource(*job.doc, *job.profile), job.doc->Store().GetPageCount());
}

}  // namespace tarvex::cli
