// tarvex pdf: prints pages of an SAD or D.V.1 file into one PDF file exactly as the print command prints
// them, onto the pre-printed form or with the form picture.

#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Dv1Commands.h"
#include "PageCommands.h"
#include "render/app/QSettingsProfile.h"
#include "render/sad/SadPrinter.h"

namespace tarvex::cli {
namespace {

// The pages of --pages (all, N or N-M) or of the older --page N; the later of the two counts.
bool ParsePages(const std::string& text, bool range, PdfArgs& a) {
    const size_t dash = text.find('-');
    if (range && text == "all") {
        a.first = 1;
        a.last.reset();
        return true;
    }
    if (range && dash != std::string::npos && dash > 0) {
        const auto first = ParseNumber(text.substr(0, dash), 1, 255);
        const auto last = ParseNumber(text.substr(dash + 1), 1, 255);
        if (!first || !last || *last < *first) return false;
        a.first = *first;
        a.last = *last;
        return true;
    }
    const auto page = ParseNumber(text, 1, 255);
    if (!page) return false;
    a.first = *page;
    a.last = *page;
    return true;
}

int RunPdf(const std::vector<std::string>& args) {
    CCommandLine line("pdf");
    line.AddOption({"pages"}, "all pages, page N or pages N to M (default 1)", "all|N|N-M");
    line.AddOption({"page"}, "page N, as --pages N", "N");
    line.AddOption({"with-form"}, "the form picture too, on blank paper (\"mit Formular\")");
    line.AddOption({"copies"}, "copies of each page, 1 to 9 (default 1)", "K");
    line.AddOption({"o"}, "the PDF file to write", "OUT.pdf");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    PdfArgs a;
    a.in = line.Files()[0];
    if (const QString pages = line.LastOf({"pages", "page"}); !pages.isEmpty()) {
        if (!ParsePages(*line.Value(pages), pages == "pages", a)) return line.UsageError();
    }
    if (line.IsSet("with-form")) a.mode = PrintMode::WithForm;
    if (auto copies = line.Value("copies")) {
        const auto n = ParseNumber(*copies, 1, 9);
        if (!n) return line.UsageError();
        a.copies = *n;
    }
    const auto out = line.Value("o");
    if (!out) return line.UsageError();
    a.out = *out;

    if (!CheckInputFile(a.in)) return kExitFile;
    auto app = MakeOffscreenApplication();
    if (IsFdvFile(a.in)) return PdfDv1(a);
    PageJob job;
    if (auto rc = LoadPageJob(a.in, job)) return *rc;
    const int pageCount = job.doc->Store().GetPageCount();
    return PrintPdf(a, CSadPrintSource(*job.doc, *job.profile, job.definitions), pageCount);
}

const CommandRegistrar kPdf(
    "pdf", "pdf FILE [--pages all|N|N-M] [--with-form] [--copies K] -o OUT.pdf",
    "prints pages of an SAD or D.V.1 file into one PDF on A4, as the print command prints them "
    "(--with-form: the form picture too, on blank paper)",
    RunPdf);

}  // namespace
}  // namespace tarvex::cli
