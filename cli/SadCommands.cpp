// Subcommands for SAD files: dump, convert, new-sad. dump and convert hand D.V.1 files (told
// apart by their ".fdv" name or their signature) to Dv1Commands.cpp.

#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Dv1Commands.h"
#include "Json.h"
#include "core/common/TextCodec.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadFields.h"
#include "core/sad/SadLayout.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/QSettingsProfile.h"

namespace tarvex::cli {
namespace {

// Opening a document fills in the user's defaults first and converts old currency codes with
// the user's symbols, so the tool reads the same profile store as the program.
QSettingsProfile& UserProfile() {
    static QSettingsProfile profile(QSettingsProfile::Area::Profile);
    return profile;
}

std::string Utf8(std::u16string_view s) {
    return ToUtf8(s);
}

// Reads a file as the program opens it. Exit code 1 and a message on stderr when it cannot be
// read; a load status of 18 or 19 is reported by the caller.
bool Load(const std::string& file, CEinheitspapierDoc& doc, AefReadInfo* info) {
    std::string error;
    if (!LoadAefFile(ArgPath(file), doc, error, info)) {
        std::cerr << "tarvex: " << file << ": " << error << "\n";
        return false;
    }
    return true;
}

std::string DumpJson(const CEinheitspapierDoc& doc, const AefReadInfo& info) {
    const CFieldStore& s = doc.Store();
    std::string out = "{\"format\":\"aef\",\"signature\":";
    if (info.signature.empty())
        out += "null";
    else
        AppendJsonString(out, Utf8(DecodeWindows1252(info.signature)));
    out += ",\"status\":" + std::to_string(doc.m_nLoadStatus);
    out += ",\"variant\":" + std::to_string(doc.m_nFormVariant);
    out += ",\"formCode\":" + (info.hasFormCode ? std::to_string(info.formCode) : std::string("null"));
    out += ",\"continuationCount\":" + std::to_string(doc.m_nContinuationCount);
    out += ",\"inputTax\":" + std::to_string(doc.m_nInputTax & 0xFF);
    out += ",\"reserved\":" + std::to_string(doc.m_nReserved);
    out += ",\"pageMode\":" + std::to_string(s.GetPageModeWord());
    AppendFieldStoreJson(out, s);
    out += "}\n";
    return out;
}

int RunDump(const std::vector<std::string>& args) {
    CCommandLine line("dump");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    const std::string& file = line.Files()[0];
    if (!CheckInputFile(file)) return kExitFile;
    if (IsFdvFile(file)) return DumpFdv(file);
    CEinheitspapierDoc doc(&UserProfile());
    AefReadInfo info;
    if (!Load(file, doc, &info)) return kExitFile;
    std::cout << DumpJson(doc, info) << std::flush;
    if (doc.m_nLoadStatus != 0) {
        std::cerr << "tarvex: " << file << ": " << Utf8(SadLoadStatusMessage(doc.m_nLoadStatus)) << "\n";
        return kExitFile;
    }
    return kExitOk;
}

int Save(const std::string& file, CEinheitspapierDoc& doc) {
    std::string error;
    if (!SaveAefFile(ArgPath(file), doc, error)) {
        std::cerr << "tarvex: " << error << "\n";
        return kExitFile;
    }
    return kExitOk;
}

int RunConvert(const std::vector<std::string>& args) {
    CCommandLine line("convert");
    if (auto rc = line.Parse(args, 2, 2)) return *rc;
    const std::string& in = line.Files()[0];
    const std::string& out = line.Files()[1];
    if (!CheckInputFile(in)) return kExitFile;
    if (IsFdvFile(in)) return ConvertFdv(in, out);
    CEinheitspapierDoc doc(&UserProfile());
    if (!Load(in, doc, nullptr)) return kExitFile;
    if (doc.m_nLoadStatus != 0) {
        std::cerr << "tarvex: " << in << ": " << Utf8(SadLoadStatusMessage(doc.m_nLoadStatus)) << "\n";
        return kExitFile;
    }
    return Save(out, doc);
}

int RunNewSad(const std::vector<std::string>& args) {
    CCommandLine line("new-sad");
    line.AddOption({"variant"},
                   "the form: 0 = 0737/0738 (default), 1 = 0747/0748, 2 = 0777/0778, 3 = 0779/0780", "N");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    int variant = 0;  // the program's current form variant when nothing was chosen yet
    if (auto text = line.Value("variant")) {
        const auto n = ParseNumber(*text, 0, 3);
        if (!n) return line.UsageError();
        variant = *n;
    }
    const std::string& out = line.Files()[0];

    Profile& profile = UserProfile();
    CEinheitspapierDoc doc(&profile);
    doc.OnNewDocument();
    doc.m_nFormVariant = variant;
    // What the program's view adds to a new document before it is saved.
    CFieldDefinitions definitions;
    InitialiseSadDocument(doc, profile, definitions, variant);
    ApplyFirstPaintAlignments(doc.Store());
    return Save(out, doc);
}

const CommandRegistrar kDump(
    "dump", "dump FILE", "prints an SAD file (.aef) or a D.V.1 file (.fdv), any version, as one JSON object",
    RunDump);
const CommandRegistrar kConvert(
    "convert", "convert IN OUT",
    "reads an SAD or D.V.1 file of any version and writes it in the current layout of its kind", RunConvert);
const CommandRegistrar kNewSad("new-sad", "new-sad [--variant N] OUT",
                               "writes a new SAD document with the defaults of the profile store", RunNewSad);

}  // namespace
}  // namespace tarvex::cli
