// tarvex pdf: prints pages of an SAD or D.V.1 file into one PDF file exactly as the print command prints
// them, onto the pre-printed form or with the form picture.

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

constexpr const char* kUsage = "pdf FILE [--pages all|N|N-M] [--with-form] [--copies K] -o OUT.pdf";

int RunPdf(const std::vector<std::string>& args) {
    PdfArgs a;
    if (int rc = ParsePdfArgs(args, kUsage, a); rc >= 0) return rc;
    if (!CheckInputFile(a.in)) return kExitFile;
    auto app = MakeOffscreenApplication();
    PageArgs load;
    load.in = a.in;
    load.out = a.out;
    if (IsFdvFile(a.in)) return PdfDv1(a);
    PageJob job;
    if (int rc = LoadPageJob(load, job); rc >= 0) return rc;
    if (int rc = ResolvePdfPages(a, job.doc->Store().GetPageCount()); rc >= 0) return rc;
    return WritePdf(a, CSadPrintSource(*job.doc, *job.profile, job.definitions));
}

const CommandRegistrar kPdf(
    "pdf", kUsage,
    "prints pages of an SAD or D.V.1 file into one PDF on A4, as the print command prints them "
    "(--with-form: the form picture too, on blank paper)",
    RunPdf);

}  // namespace
}  // namespace tarvex::cli
