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
class QSettingsProfile;
}

namespace tarvex::cli {

struct PageArgs {
    std::string in, out;
    int page = 1;
    int option = 0;  // the value of the command's own option
};

// Parses the arguments; returns -1 when they are fine, otherwise the exit code (usage printed).
int ParsePageArgs(const std::vector<std::string>& args, const char* usage, const char* option, int min,
                  int max, PageArgs& out);

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
