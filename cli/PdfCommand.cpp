// tarvex pdf: prints an SAD page into a PDF file exactly as the print command prints it.

#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "Dv1Commands.h"
#include "PageCommands.h"
#include "render/app/QSettingsProfile.h"
#include "render/sad/SadPrinter.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "pdf FILE [--page N] [--copies K] -o OUT.pdf";

int RunPdf(const std::vector<std::string>& args) {
    PageArgs a;
    a.option = 1;
    if (int rc = ParsePageArgs(args, kUsage, "--copies", 1, 9, a); rc >= 0) return rc;
    auto app = MakeOffscreenApplication();
    if (IsFdvFile(a.in)) return PdfDv1(a);
    PageJob job;
    if (int rc = LoadPageJob(a, job); rc >= 0) return rc;
    QString message;
    if (!PrintSadToPdf(ArgPath(a.out), *job.doc, a.page, a.option, *job.profile, job.definitions, message)) {
        std::cerr << "tarvex: " << message.toStdString() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

const CommandRegistrar kPdf("pdf", kUsage,
                            "prints one page of an SAD file into a PDF on A4, as the print command prints it",
                            RunPdf);

}  // namespace
}  // namespace tarvex::cli
