// tarvex pdf: prints pages of an SAD file into one PDF file exactly as the print command prints
// them, onto the pre-printed form or with the form picture.

#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "PageCommands.h"
#include "render/app/QSettingsProfile.h"
#include "render/sad/SadPrinter.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "pdf FILE [--pages all|N|N-M] [--with-form] [--copies K] -o OUT.pdf";

int RunPdf(const std::vector<std::string>& args) {
    PdfArgs a;
    if (int rc = ParsePdfArgs(args, kUsage, a); rc >= 0) return rc;
    auto app = MakeOffscreenApplication();
    PageArgs load;
    load.in = a.in;
    load.out = a.out;
    PageJob job;
    if (int rc = LoadPageJob(load, job); rc >= 0) return rc;
    if (int rc = ResolvePdfPages(a, job.doc->Store().GetPageCount()); rc >= 0) return rc;
    const CSadPrintSource source(*job.doc, *job.profile, job.definitions);
    PrintJobOptions options;
    options.first = a.first;
    options.last = a.last;
    options.copies = a.copies;
    options.mode = a.withForm ? PrintMode::WithForm : PrintMode::Preprinted;
    QString message;
    if (PrintJobToPdf(ArgPath(a.out), source, options, message) != PrintOutcome::Done) {
        std::cerr << "tarvex: " << message.toStdString() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

const CommandRegistrar kPdf(
    "pdf", kUsage,
    "prints pages of an SAD file into one PDF on A4, as the print command prints them "
    "(--with-form: the form picture too, on blank paper)",
    RunPdf);

}  // namespace
}  // namespace tarvex::cli
