// tarvex pdf: prints an SAD page into a PDF file exactly as the print command prints it.

#ifdef TARVEX_CLI_HAS_UI

#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "app/QSettingsProfile.h"
#include "formview/FieldDefinitions.h"
#include "sad/AefFormat.h"
#include "sad/EinheitspapierDoc.h"
#include "sad/SadPrinter.h"
#include "sad/SadStrings.h"
#include "common/TextCodec.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "pdf FILE [--page N] [--copies K] -o OUT.pdf";

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

int RunPdf(const std::vector<std::string>& args) {
    std::string in, out;
    int page = 1, copies = 1;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--page" && hasValue) {
            if (!ParseInt(args[++i], 1, 255, page)) return UsageError(kUsage);
        } else if (a == "--copies" && hasValue) {
            if (!ParseInt(args[++i], 1, 9, copies)) return UsageError(kUsage);
        } else if (a == "-o" && hasValue) {
            out = args[++i];
        } else if (!a.empty() && a[0] != '-' && in.empty()) {
            in = a;
        } else {
            return UsageError(kUsage);
        }
    }
    if (in.empty() || out.empty()) return UsageError(kUsage);

    // Fonts and the PDF writer need a GUI application, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "tarvex";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QSettingsProfile profile(QSettingsProfile::Area::Profile);
    QSettingsProfile programArea(QSettingsProfile::Area::ProgramArea);
    CFieldDefinitions definitions;
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
    QString message;
    if (!PrintSadToPdf(QString::fromStdString(out), doc, page, copies, profile, definitions, message)) {
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

#endif
