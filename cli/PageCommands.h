#pragma once
// What `tarvex pdf` and `tarvex render` share: the arguments FILE [--page N] [--OPTION V] -o OUT,
// a GUI application without a display, and reading the document as the program opens it.

#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

#include "core/formview/FieldDefinitions.h"
#include "core/sad/EinheitspapierDoc.h"

namespace tarvex {
class IPrintPageSource;
class QSettingsProfile;
}  // namespace tarvex

namespace tarvex::cli {

struct PageArgs {
    std::string in, out;
    int page = 1;
    int option = 0;  // the value of the command's own option
};

// Parses the arguments; returns -1 when they are fine, otherwise the exit code (usage printed).
int ParsePageArgs(const std::vector<std::string>& args, const char* usage, const char* option, int min,
                  int max, PageArgs& out);

// `tarvex pdf`: FILE [--pages all|N|N-M] [--page N] [--with-form] [--copies K] -o OUT.pdf. The
// form of FILE does not matter here; the command picks the form by the file.
struct PdfArgs {
    std::string in, out;
    int first = 1, last = 1;  // last 0: up to the last page ("all")
    bool withForm = false;
    int copies = 1;
};
// Parses the arguments; returns -1 when they are fine, otherwise the exit code (usage printed).
int ParsePdfArgs(const std::vector<std::string>& args, const char* usage, PdfArgs& out);
// The range against the document's page count; -1 when it fits, else the exit code (message printed).
int ResolvePdfPages(PdfArgs& args, int pageCount);
// Prints the pages of any form into the PDF file; the exit code.
int WritePdf(const PdfArgs& args, const IPrintPageSource& source);

// Fonts, painting and the PDF writer need a GUI application; offscreen unless a platform is set.
std::unique_ptr<QGuiApplication> MakeOffscreenApplication();

// The user's settings, the field definitions and the document with the page to output.
struct PageJob {
    std::unique_ptr<QSettingsProfile> profile;
    std::unique_ptr<QSettingsProfile> programArea;
    CFieldDefinitions definitions;
    std::unique_ptr<CEinheitspapierDoc> doc;
};
// Returns -1 when the document is read and has the page, otherwise the exit code (message printed).
int LoadPageJob(const PageArgs& args, PageJob& job);

}  // namespace tarvex::cli
