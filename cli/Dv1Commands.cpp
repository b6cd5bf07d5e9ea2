// Subcommands for D.V.1 files (.fdv): dump and convert (through the SAD commands, by name or
// signature), new-dv1 and recalc.

#include "Dv1Commands.h"

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Json.h"
#include "core/app/StartupRules.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Labels.h"
#include "core/dv1/Dv1Strings.h"
#include "core/dv1/FdvFormat.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/QSettingsProfile.h"

namespace tarvex::cli {
namespace {

bool Load(const std::string& file, CDV1_Doc& doc, FdvReadInfo* info) {
    std::string error;
    if (!LoadFdvFile(ArgPath(file), doc, error, info)) {
        std::cerr << "tarvex: " << file << ": " << error << "\n";
        return false;
    }
    return true;
}

// Loads a file to be changed and saved: anything the program would not open is refused, so
// that no save can overwrite a file that was not taken over.
bool LoadForSave(const std::string& file, CDV1_Doc& doc) {
    FdvReadInfo info;
    if (!Load(file, doc, &info)) return false;
    const int message = FdvOpenMessage(doc, info);
    if (message != 0) {
        std::cerr << "tarvex: " << file << ": " << ToUtf8(FdvLoadMessageText(message)) << "\n";
        return false;
    }
    return true;
}

int Save(const std::string& file, CDV1_Doc& doc) {
    std::string error;
    if (!SaveFdvFile(ArgPath(file), doc, error)) {
        std::cerr << "tarvex: " << error << "\n";
        return kExitFile;
    }
    return kExitOk;
}

std::string DumpJson(const CDV1_Doc& doc, const FdvReadInfo& info) {
    const CFieldStore& s = doc.Store();
    std::string out = "{\"format\":\"fdv\",\"signature\":";
    if (info.signature.empty())
        out += "null";
    else
        AppendJsonString(out, ToUtf8(DecodeWindows1252(info.signature)));
    out += ",\"version\":" + (info.version ? std::to_string(*info.version) : std::string("null"));
    out += ",\"message\":" + std::to_string(doc.m_nLoadMessage);
    out += ",\"checks\":[";
    for (size_t i = 0; i < doc.m_Checks.size(); ++i) {
        if (i > 0) out += ",";
        out += doc.m_Checks[i] ? "1" : "0";
    }
    out += "]";
    AppendFieldStoreJson(out, s);
    out += "}\n";
    return out;
}

int RunNewDv1(const std::vector<std::string>& args) {
    CCommandLine line("new-dv1");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    CDV1_Doc doc;
    doc.OnNewDocument();
    return Save(line.Files()[0], doc);
}

int RunRecalc(const std::vector<std::string>& args) {
    CCommandLine line("recalc");
    line.AddOption({"flag-11a"}, "\"Flag_DV1_11a\" for this run (default: the profile store's)", "0|1");
    if (auto rc = line.Parse(args, 1, 2)) return *rc;
    const std::vector<std::string>& files = line.Files();
    std::optional<int> flag;
    if (auto text = line.Value("flag-11a")) {
        flag = ParseNumber(*text, 0, 1);
        if (!flag) return line.UsageError();
    }
    if (!CheckInputFile(files[0])) return kExitFile;
    if (!flag) {
        // The same profile store as the program's.
        QSettingsProfile profile(QSettingsProfile::Area::Profile);
        flag = settings::Get(profile, settings::kDV1Form, settings::kFlagDV1_11a);
    }

    CDV1_Doc doc;
    if (!LoadForSave(files[0], doc)) return kExitFile;
    for (const dv1::Dv1NotAnAmount& n : dv1::CalculatePages(doc, *flag))
        std::cerr << "tarvex: " << files[0] << ": " << dv1::NotAnAmountText(n) << "\n";
    return Save(files.back(), doc);
}

const CommandRegistrar kNewDv1("new-dv1", "new-dv1 OUT", "writes a new, empty D.V.1 document (.fdv)",
                               RunNewDv1);
const CommandRegistrar kRecalc(
    "recalc", "recalc [--flag-11a 0|1] IN.fdv [OUT.fdv]",
    "runs the value calculation of the D.V.1 pages 2, 3, 4... (F3) and saves to OUT "
    "or back into IN; texts that are no amounts are listed on stderr",
    RunRecalc);

}  // namespace

bool IsFdvFile(const std::string& file) {
    // The program opens a ".fdv" as a D.V.1 whatever it holds (and refuses it when it holds
    // something else): so does the tool, so that nothing of another kind is written under that
    // name. Only the extension is compared, so the name's bytes can be widened one by one.
    std::u16string name(file.begin(), file.end());
    for (char16_t& c : name) c = static_cast<char16_t>(static_cast<unsigned char>(c));
    if (TemplateForPath(name) == DocTemplate::Dv1) return true;
    // Only a regular file is looked into: a pipe would keep the tool waiting. Anything else goes
    // to the SAD reader, which refuses it with its message.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(ArgPath(file), ec)) return false;
    std::ifstream in(ArgPath(file), std::ios::binary);
    char head[kFdvFamilyLength] = {};
    in.read(head, sizeof head);
    return in.gcount() == static_cast<std::streamsize>(sizeof head) &&
           HasFdvFamilySignature(std::span(reinterpret_cast<const uint8_t*>(head), sizeof head));
}

int DumpFdv(const std::string& file) {
    CDV1_Doc doc;
    FdvReadInfo info;
    if (!Load(file, doc, &info)) return kExitFile;
    // The message the program opens the file with: bytes without a signature are refused too.
    doc.m_nLoadMessage = FdvOpenMessage(doc, info);
    std::cout << DumpJson(doc, info) << std::flush;
    if (doc.m_nLoadMessage != 0) {
        std::cerr << "tarvex: " << file << ": " << ToUtf8(FdvLoadMessageText(doc.m_nLoadMessage)) << "\n";
        return kExitFile;
    }
    return kExitOk;
}

int ConvertFdv(const std::string& in, const std::string& out) {
    CDV1_Doc doc;
    if (!LoadForSave(in, doc)) return kExitFile;
    return Save(out, doc);
}

}  // namespace tarvex::cli
