#pragma once
// What `tarvex pdf` and `tarvex render` share: a GUI application without a display, reading the
// document as the program opens it, the check of the pages asked for, and the output files.

#include <QGuiApplication>
#include <memory>
#include <optional>
#include <string>

#include "core/formview/PrintMode.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"

class QImage;

namespace tarvex {
class IPrintPageSource;
class QSettingsProfile;
}  // namespace tarvex

namespace tarvex::cli {

// `tarvex render`: FILE [--page N] [--zoom Z] -o OUT.png.
struct RenderArgs {
    std::string in, out;
    int page = 1;
    int zoom = 10;
};

// `tarvex pdf`: FILE [--pages all|N|N-M] [--page N] [--with-form] [--copies K] -o OUT.pdf. The
// form of FILE does not matter here; the command picks the form by the file.
struct PdfArgs {
    std::string in, out;
    int first = 1;
    std::optional<int> last = 1;             // no value: up to the last page ("all")
    PrintMode mode = PrintMode::Preprinted;  // --with-form: "mit Formular"
    int copies = 1;
};

// The pages first..last against the document's page count. When they are not all there, the
// message is printed and the exit code is returned.
std::optional<int> CheckPages(const std::string& file, int first, int last, int pageCount);

// Prints the pages of any form into the PDF file after checking them against pageCount; the
// exit code.
int PrintPdf(const PdfArgs& args, const IPrintPageSource& source, int pageCount);

// Encodes the picture in memory and saves it as a document is saved, so a failed write keeps the
// old picture; the exit code.
int WritePng(const QImage& image, const std::string& out);

// Fonts, painting and the PDF writer need a GUI application; offscreen unless a platform is set.
// It holds the command line it is built from, because Qt refers to it for as long as the
// application lives.
class COffscreenApplication {
public:
    COffscreenApplication() = default;
    COffscreenApplication(const COffscreenApplication&) = delete;
    COffscreenApplication& operator=(const COffscreenApplication&) = delete;

private:
    int m_argc = 1;
    char m_name[7] = "tarvex";
    char* m_argv[2] = {m_name, nullptr};
    QGuiApplication m_app{m_argc, m_argv};
};
std::unique_ptr<COffscreenApplication> MakeOffscreenApplication();

// The user's settings, the field definitions and the document with the pages to output.
struct PageJob {
    std::unique_ptr<QSettingsProfile> profile;
    std::unique_ptr<QSettingsProfile> programArea;
    CFieldDefinitions definitions;
    std::unique_ptr<CEinheitspapierDoc> doc;
};
// Reads the SAD file as the program opens it. When it cannot be read or is refused, the message
// is printed and the exit code is returned.
std::optional<int> LoadPageJob(const std::string& file, PageJob& job);

}  // namespace tarvex::cli
