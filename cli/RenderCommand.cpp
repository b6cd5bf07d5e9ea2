// tarvex render: the screen picture of one page of an .aef file as PNG, drawn by the view's
// renderer without a display.

#include <QImage>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Dv1Commands.h"
#include "PageCommands.h"
#include "core/formview/FormZoom.h"
#include "render/app/QSettingsProfile.h"
#include "render/sad/SadPageSetup.h"

namespace tarvex::cli {
namespace {

constexpr int kScreenDpi = 96;

int RunRender(const std::vector<std::string>& args) {
    CCommandLine line("render");
    line.AddOption({"page"}, "the page, 1 to 255 (default 1)", "N");
    line.AddOption({"zoom"},
                   "the zoom, " + std::to_string(kZoomMin) + " to " + std::to_string(kZoomMax) +
                       " as in the program's view (default 10)",
                   "Z");
    line.AddOption({"o"}, "the PNG file to write", "OUT.png");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    RenderArgs a;
    a.in = line.Files()[0];
    if (auto page = line.Value("page")) {
        const auto n = ParseNumber(*page, 1, 255);
        if (!n) return line.UsageError();
        a.page = *n;
    }
    if (auto zoom = line.Value("zoom")) {
        const auto n = ParseNumber(*zoom, kZoomMin, kZoomMax);
        if (!n) return line.UsageError();
        a.zoom = *n;
    }
    const auto out = line.Value("o");
    if (!out) return line.UsageError();
    a.out = *out;

    if (!CheckInputFile(a.in)) return kExitFile;
    auto app = MakeOffscreenApplication();
    if (IsFdvFile(a.in)) return RenderDv1(a);
    PageJob job;
    if (auto rc = LoadPageJob(a.in, job)) return *rc;
    if (auto rc = CheckPages(a.in, a.page, a.page, job.doc->Store().GetPageCount())) return *rc;
    const SadRenderOptions o = SadRenderOptionsFromSettings(*job.profile, *job.doc, &job.definitions, a.zoom);
    CSadPageRenderer renderer;
    renderer.Prepare(job.profile.get(), a.zoom);
    return WritePng(RenderSadPageImage(renderer, *job.doc, a.page, o, *job.profile, kScreenDpi), a.out);
}

const CommandRegistrar kRender("render", "render FILE [--page N] [--zoom Z] -o OUT.png",
                               "draws the screen picture of one page of an SAD or D.V.1 file as PNG",
                               RunRender);

}  // namespace
}  // namespace tarvex::cli
