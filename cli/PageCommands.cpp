#include "PageCommands.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <iostream>

#include "CliStrings.h"
#include "Commands.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/sad/AefFormat.h"
#include "core/sad/SadDocumentSetup.h"
#include "render/app/OutputFile.h"
#include "render/app/PrintJob.h"
#include "render/app/QSettingsProfile.h"

namespace tarvex::cli {

std::optional<int> CheckPages(const std::string& file, int first, int last, int pageCount) {
    if (last <= pageCount) return std::nullopt;
    const std::string count = std::to_string(pageCount);
    std::cerr << "tarvex: " << file << ": "
              << (first == last ? commonstr::Args(clistr::kNoSuchPage, {std::to_string(first), count})
                                : commonstr::Args(clistr::kNoSuchPages,
                                                  {std::to_string(first), std::to_string(last), count}))
              << "\n";
    return kExitUsage;
}

int PrintPdf(const PdfArgs& args, const IPrintPageSource& source, int pageCount) {
    PrintJobOptions options;
    options.first = args.first;
    options.last = args.last.value_or(pageCount);
    if (auto rc = CheckPages(args.in, options.first, options.last, pageCount)) return *rc;
    options.copies = args.copies;
    options.mode = args.mode;
    QString message;
    if (PrintJobToPdf(ArgPath(args.out), source, options, message) != PrintOutcome::Done) {
        std::cerr << "tarvex: " << message.toStdString() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

int WritePng(const QImage& image, const std::string& out) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        std::cerr << "tarvex: " << out << ": " << writer.errorString().toStdString() << "\n";
        return kExitFile;
    }
    QString error;
    if (!WriteOutputFile(ArgPath(out), png, error)) {
        std::cerr << "tarvex: " << error.toStdString() << "\n";
        return kExitFile;
    }
    return kExitOk;
}

std::unique_ptr<COffscreenApplication> MakeOffscreenApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<COffscreenApplication>();
}

std::optional<int> LoadPageJob(const std::string& file, PageJob& job) {
    job.profile = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::Profile);
    job.programArea = std::make_unique<QSettingsProfile>(QSettingsProfile::Area::ProgramArea);
    job.definitions.ResetToBuiltIn();
    LoadFieldDefinitions(job.definitions, *job.profile, *job.programArea);
    job.doc = std::make_unique<CEinheitspapierDoc>(job.profile.get());
    std::string error;
    AefReadInfo read;
    if (!LoadAefFile(ArgPath(file), *job.doc, error, &read)) {
        std::cerr << "tarvex: " << file << ": " << error << "\n";
        return kExitFile;
    }
    // Refused as the program refuses to open it.
    job.doc->m_nLoadStatus = AefOpenStatus(*job.doc, read);
    // As the program opens it: variant, box 8, crossed-out boxes and alignments. Nothing has
    // chosen a form here, so a file without one gets the program's first, 0737 / 0738.
    const SadInitialUpdate init = InitialiseSadDocument(*job.doc, *job.profile, job.definitions, 0);
    ApplyFirstPaintAlignments(job.doc->Store());
    if (!init.loadMessage.empty()) {
        std::cerr << "tarvex: " << file << ": " << ToUtf8(init.loadMessage) << "\n";
        return kExitFile;
    }
    return std::nullopt;
}

}  // namespace tarvex::cli
