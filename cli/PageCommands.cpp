#include "PageCommands.h"

#include <filesystem>
#include <iostream>

#include "Commands.h"
#include "core/common/TextCodec.h"
#include "core/sad/AefFormat.h"
#include "core/sad/SadDocumentSetup.h"
#include "render/app/PrintJob.h"
#include "render/app/QSettingsProfile.h"

namespace tarvex::cli {
namespace {

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

}  // namespace

int ParsePageArgs(const std::vector<std::string>& args, const char* usage, const char* option, int min,
                  int max, PageArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--page" && hasValue) {
            if (!ParseInt(args[++i], 1, 255, out.page)) return UsageError(usage);
        } else if (a == option && hasValue) {
            if (!ParseInt(args[++i], min, max, out.option)) return UsageError(usage);
        } else if (a == "-o" && hasValue) {
            out.out = args[++i];
        } else if (!a.empty() && a[0] != '-' && out.in.empty()) {
            out.in = a;
        } else {
            return UsageError(usage);
        }
    }
    if (out.in.empty() || out.out.empty()) return UsageError(usage);
    return -1;
}

int ParsePdfArgs(const std::vector<std::string>& args, const char* usage, PdfArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if ((a == "--pages" || a == "--page") && hasValue) {
            const std::string& v = args[++i];
            const size_t dash = v.find('-');
            if (a == "--pages" && v == "all") {
                out.first = 1;
                out.last = 0;
            } else if (a == "--pages" && dash != std::string::npos) {
                if (!ParseInt(v.substr(0, dash), 1, 255, out.first) ||
                    !ParseInt(v.substr(dash + 1), 1, 255, out.last) || out.last < out.first)
                    return UsageError(usage);
            } else if (ParseInt(v, 1, 255, out.first)) {
                out.last = out.first;
            } else {
                return UsageError(usage);
            }
        } else if (a == "--with-form") {
            out.withForm = true;
        } else if (a == "--copies" && hasValue) {
            if (!ParseInt(args[++i], 1, 9, out.copies)) return UsageError(usage);
        } else if (a == "-o" && hasValue) {
            out.out = args[++i];
        } else if (!a.empty() && a[0] != '-' && out.in.empty()) {
            out.in = a;
        } else {
            return UsageError(usage);
        }
    }
    if (out.in.empty() || out.out.empty()) return UsageError(usage);
    return -1;
}

int ResolvePdfPages(PdfArgs& args, int pageCount) {
    if (args.last == 0) args.last = pageCount;
    if (args.last > pageCount) {
        std::cerr << "tarvex: " << args.in << ": the document has " << pageCount << " pages\n";
        return kExitUsage;
    }
    return -1;
}

int WritePdf(const PdfArgs& args, const IPrintPageSource& source) {
    PrintJobOptions options;
    options.first = args.first;
    options.last = args.last;
    options.copies = args.copies;
    options.mode = args.withForm ? PrintMode::WithForm : PrintMode::Preprinted;
    QString message;
    if (PrintJobToPdf(ArgPath(args.out), source, options, message) != PrintOutcome::Done) {
        std::cerr << "tarvex: " << message.toStdString() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

std::unique_ptr<QGuiApplication> MakeOffscreenApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tarvex";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int LoadPageJob(const PageArgs& args, PageJob& job) {
    job.profile = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::Profile);
    job.programArea = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::ProgramArea);
    job.definitions.ResetToBuiltIn();
    LoadFieldDefinitions(job.definitions, *job.profile, *job.programArea);
    job.doc = std::make_unique<CEinheitspapierDoc>(job.profile.get());
    std::string error;
    AefReadInfo read;
    if (!LoadAefFile(ArgPath(args.in), *job.doc, error, &read)) {
        std::cerr << "tarvex: " << args.in << ": " << error << "\n";
        return kExitFile;
    }
    // Refused as the program refuses to open it.
    job.doc->m_nLoadStatus = AefOpenStatus(*job.doc, read);
    // As the program opens it: variant, box 8, crossed-out boxes and alignments. Nothing has
    // chosen a form here, so a file without one gets the program's first, 0737 / 0738.
    const SadInitialUpdate init = InitialiseSadDocument(*job.doc, *job.profile, job.definitions, 0);
    ApplyFirstPaintAlignments(job.doc->Store());
    if (!init.loadMessage.empty()) {
        std::cerr << "tarvex: " << args.in << ": " << ToUtf8(init.loadMessage) << "\n";
        return kExitFile;
    }
    const int pages = job.doc->Store().GetPageCount();
    if (args.page > pages) {
        std::cerr << "tarvex: " << args.in << ": the document has " << pages << " pages\n";
        return kExitUsage;
    }
    return -1;
}

}  // namespace tarvex::cli
