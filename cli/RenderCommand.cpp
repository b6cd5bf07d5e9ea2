// tarvex render: the screen picture of one page of an .aef file as PNG, drawn by the view's
// renderer without a display.

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "Dv1Commands.h"
#include "PageCommands.h"
#include "core/formview/FormZoom.h"
#include "render/app/OutputFile.h"
#include "render/app/QSettingsProfile.h"
#include "render/sad/SadPageSetup.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "render FILE [--page N] [--zoom Z] -o OUT.png";
constexpr int kScreenDpi = 96;

int RunRender(const std::vector<std::string>& args) {
    PageArgs a;
    a.option = 10;
    if (int rc = ParsePageArgs(args, kUsage, "--zoom", kZoomMin, kZoomMax, a); rc >= 0) return rc;
    if (!CheckInputFile(a.in)) return kExitFile;
    auto app = MakeOffscreenApplication();
    if (IsFdvFile(a.in)) return RenderDv1(a);
    PageJob job;
    if (int rc = LoadPageJob(a, job); rc >= 0) return rc;
    const SadRenderOptions o =
        SadRenderOptionsFromSettings(*job.profile, *job.doc, &job.definitions, a.option);
    CSadPageRenderer renderer;
    renderer.Prepare(job.profile.get(), a.option);
    const QImage image = RenderSadPageImage(renderer, *job.doc, a.page, o, *job.profile, kScreenDpi);
    // Encoded in memory and saved as a document is saved: a failed write keeps the old picture.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    QString error;
    if (!writer.write(image)) {
        std::cerr << "tarvex: " << a.out << ": " << writer.errorString().toStdString() << "\n";
        return kExitFile;
    }
    if (!WriteOutputFile(ArgPath(a.out), png, error)) {
        std::cerr << "tarvex: " << error.toStdString() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

const CommandRegistrar kRender("render", kUsage,
                               "draws the screen picture of one page of an SAD or D.V.1 file as PNG",
                               RunRender);

}  // namespace
}  // namespace tarvex::cli
