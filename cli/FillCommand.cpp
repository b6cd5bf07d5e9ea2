// tarvex fill IN.json -o OUT.aef|OUT.fdv: a document from the JSON that tarvex dump prints, and
// tarvex schema aef|fdv: the JSON Schema of that input.

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CliStrings.h"
#include "CommandLine.h"
#include "Commands.h"
#include "Dv1Commands.h"
#include "core/common/AtomicFile.h"
#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Calculation.h"
#include "core/dv1/Dv1Doc.h"
#include "core/dv1/Dv1Labels.h"
#include "core/dv1/FdvFormat.h"
#include "core/formview/FieldStore.h"
#include "core/sad/AefFormat.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadDocumentSetup.h"
#include "core/sad/SadFieldLabels.h"
#include "core/sad/SadLayout.h"
#include "core/sad/SadPages.h"
#include "core/sad/SadVariants.h"
#include "core/settings/SettingsKeys.h"
#include "render/app/QSettingsProfile.h"

namespace tarvex::cli {
namespace {

// The longest text a box takes: far more than any box shows, and small enough that a document
// of 255 full pages stays within what the readers accept.
constexpr int kMaxBoxText = 512;

using commonstr::Args;

struct Problem {
    std::string path;
    std::string message;
};

std::string Num(long long n) {
    return std::to_string(n);
}

// One field entry of the JSON, resolved to its index on its page.
struct FieldEntry {
    std::string path;
    int page = 1;
    int index = 0;
    std::optional<std::u16string> text;
    std::optional<uint16_t> flags;
    std::optional<int> size;
    std::optional<uint16_t> align;
    std::optional<bool> bold;
};

// Reads the JSON into checked values; every fault is collected with its path.
class CFillReader {
public:
    CFillReader(bool fdv, bool lenient) : m_bFdv(fdv), m_bLenient(lenient) {}

    std::vector<Problem> faults, notes;

    void Fault(const std::string& path, const std::string& message) { faults.push_back({path, message}); }

    bool Expect(const QJsonValue& v, bool ok, const std::string& path, const char* type) {
        if (!ok) Fault(path, Args(clistr::kJsonWrongType, {type}));
        (void)v;
        return ok;
    }

    std::optional<long long> Integer(const QJsonValue& v, const std::string& path, long long min,
                                     long long max) {
        const double d = v.toDouble();
        if (!v.isDouble() || d != static_cast<double>(static_cast<long long>(d))) {
            Fault(path, Args(clistr::kJsonWrongType, {clistr::kJsonTypeInteger}));
            return std::nullopt;
        }
        const long long n = static_cast<long long>(d);
        if (n < min || n > max) {
            Fault(path, Args(clistr::kJsonOutOfRange, {Num(n), Num(min), Num(max)}));
            return std::nullopt;
        }
        return n;
    }

    // The fields of page `page` (1-based) a label names; for a D.V.1 by its printed label.
    int FieldOfBox(int page, const std::u16string& box, int item) const {
        const auto key = [](std::u16string_view s) {
            if (s.starts_with(u"Feld ")) s.remove_prefix(5);
            std::u16string out;
            for (char16_t c : s) {
                if (c == u' ' || c == u'(' || c == u')' || c == u',') continue;
                out += (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
            }
            return out;
        };
        const std::u16string wanted = key(box);
        if (!m_bFdv) {
            // "8" is the box's text; its number subfield is "8 (Nr.)", named as the form's labels
            // name it.
            const int count = page == 1 ? kSadFirstFieldCount : kSadContinuationFieldCount;
            SadBoxLabel label;
            if (ParseSadBoxLabel(box, label)) {
                const std::vector<int> fields = SadBoxFields(SheetOfPage(page), label, item ? item : 1);
                for (int f : fields)
                    if (SadFieldLabel(page, f).find(u'(') == std::u16string::npos) return f;
                if (!fields.empty()) return fields.front();
            }
            for (int f = 0; f < count; ++f)
                if (key(SadFieldLabel(page, f)) == wanted) return f;
            return -1;
        }
        const int count = page == 1 ? kDv1Fields1 : kDv1Fields2;
        for (int f = 0; f < count; ++f) {
            std::u16string label = Dv1FieldLabel(page, f);
            int labelItem = 0;
            if (const size_t at = label.rfind(u", Ware "); at != std::u16string::npos) {
                labelItem = label[at + 7] - u'0';
                label.resize(at);
            }
            if (key(label) == wanted && (labelItem == 0 ? item == 0 : labelItem == (item ? item : 1)))
                return f;
        }
        return -1;
    }

    void ReadField(const QJsonValue& value, const std::string& path, int page, int fieldCount,
                   std::vector<FieldEntry>& out) {
        if (!value.isObject()) {
            Fault(path, Args(clistr::kJsonWrongType, {clistr::kJsonTypeObject}));
            return;
        }
        const QJsonObject o = value.toObject();
        FieldEntry e;
        e.path = path;
        e.page = page;
        const size_t before = faults.size();
        for (auto it = o.begin(); it != o.end(); ++it) {
            static const std::set<QString> known = {"index", "box",  "item",  "text",
                                                    "flags", "size", "align", "bold"};
            if (!known.count(it.key())) Fault(path + "." + it.key().toStdString(), clistr::kJsonUnknownKey);
        }
        int item = 0;
        if (o.contains("item")) {
            if (auto n = Integer(o["item"], path + ".item", 1, 3)) item = static_cast<int>(*n);
        }
        if (o.contains("index") && o.contains("box")) {
            Fault(path, clistr::kJsonBothField);
        } else if (o.contains("index")) {
            const QJsonValue v = o["index"];
            if (!v.isDouble() || v.toDouble() != static_cast<double>(static_cast<long long>(v.toDouble()))) {
                Fault(path + ".index", Args(clistr::kJsonWrongType, {clistr::kJsonTypeInteger}));
            } else {
                const long long n = static_cast<long long>(v.toDouble());
                if (n < 0 || n >= fieldCount)
                    Fault(path + ".index",
                          Args(clistr::kJsonUnknownIndex, {Num(page), Num(n), Num(fieldCount - 1)}));
                else
                    e.index = static_cast<int>(n);
            }
        } else if (o.contains("box")) {
            if (Expect(o["box"], o["box"].isString(), path + ".box", clistr::kJsonTypeString)) {
                const std::u16string box = o["box"].toString().toStdU16String();
                e.index = FieldOfBox(page, box, item);
                if (e.index < 0)
                    Fault(path + ".box", Args(clistr::kJsonUnknownBox, {Num(page), ToUtf8(box)}));
            }
        } else {
            Fault(path, clistr::kJsonNeedsField);
        }
        if (o.contains("text") &&
            Expect(o["text"], o["text"].isString(), path + ".text", clistr::kJsonTypeString)) {
            std::u16string text = o["text"].toString().toStdU16String();
            if (static_cast<int>(text.size()) > kMaxBoxText) {
                const std::string message = Args(
                    clistr::kJsonTextTooLong,
                    {Num(static_cast<long long>(text.size())), FieldName(page, e.index), Num(kMaxBoxText)});
                if (m_bLenient && faults.size() == before) {
                    notes.push_back(
                        {path + ".text", message + "; " + Args(clistr::kJsonTextCut, {Num(kMaxBoxText)})});
                    text.resize(kMaxBoxText);
                } else {
                    Fault(path + ".text", message);
                }
            }
            e.text = std::move(text);
        }
        if (o.contains("flags"))
            if (auto n = Integer(o["flags"], path + ".flags", 0, 0xFFFF)) e.flags = static_cast<uint16_t>(*n);
        if (o.contains("size"))
            if (auto n = Integer(o["size"], path + ".size", 0, 4)) e.size = static_cast<int>(*n);
        if (o.contains("bold") &&
            Expect(o["bold"], o["bold"].isBool(), path + ".bold", clistr::kJsonTypeBool))
            e.bold = o["bold"].toBool();
        if (o.contains("align")) {
            const QString a = o["align"].toString();
            if (a == "left")
                e.align = kAlignLeft;
            else if (a == "centre" || a == "center")
                e.align = kAlignCentre;
            else if (a == "right")
                e.align = kAlignRight;
            else
                Fault(path + ".align", Args(clistr::kJsonWrongType, {clistr::kJsonAlignWords}));
        }
        if (faults.size() == before) out.push_back(std::move(e));
    }

    std::string FieldName(int page, int index) const {
        if (index < 0) return "das Feld";
        return ToUtf8(m_bFdv ? Dv1FieldLabel(page, index) : SadFieldLabel(page, index));
    }

    // The pages array: each entry's page number (its position when not given) and its fields.
    int ReadPages(const QJsonValue& value, std::vector<FieldEntry>& out) {
        int highest = 0;
        if (!Expect(value, value.isArray(), "pages", clistr::kJsonTypeArray)) return 0;
        const QJsonArray pages = value.toArray();
        for (qsizetype i = 0; i < pages.size(); ++i) {
            const std::string path = "pages[" + Num(i) + "]";
            if (!Expect(pages[i], pages[i].isObject(), path, clistr::kJsonTypeObject)) continue;
            const QJsonObject p = pages[i].toObject();
            for (auto it = p.begin(); it != p.end(); ++it)
                if (it.key() != "page" && it.key() != "fields")
                    Fault(path + "." + it.key().toStdString(), clistr::kJsonUnknownKey);
            int page = static_cast<int>(i) + 1;
            if (p.contains("page")) {
                const QJsonValue v = p["page"];
                if (!v.isDouble() ||
                    v.toDouble() != static_cast<double>(static_cast<long long>(v.toDouble())) ||
                    v.toDouble() < 1) {
                    Fault(path + ".page", Args(clistr::kJsonWrongType, {clistr::kJsonTypeInteger}));
                    continue;
                }
                const double d = v.toDouble();
                if (d > kMaxPages) {
                    Fault(path + ".page",
                          Args(clistr::kJsonPageBeyond, {Num(static_cast<long long>(d)), Num(kMaxPages)}));
                    continue;
                }
                page = static_cast<int>(d);
            } else if (page > kMaxPages) {
                Fault(path, Args(clistr::kJsonPageBeyond, {Num(page), Num(kMaxPages)}));
                continue;
            }
            highest = std::max(highest, page);
            if (!p.contains("fields")) continue;
            if (!Expect(p["fields"], p["fields"].isArray(), path + ".fields", clistr::kJsonTypeArray))
                continue;
            const QJsonArray fields = p["fields"].toArray();
            const int fieldCount = m_bFdv ? (page == 1 ? kDv1Fields1 : kDv1Fields2)
                                          : (page == 1 ? kSadFirstFieldCount : kSadContinuationFieldCount);
            for (qsizetype k = 0; k < fields.size(); ++k)
                ReadField(fields[k], path + ".fields[" + Num(k) + "]", page, fieldCount, out);
        }
        return highest;
    }

private:
    bool m_bFdv, m_bLenient;
};

void ApplyFields(CFieldStore& store, const std::vector<FieldEntry>& entries,
                 std::set<std::pair<int, int>>& given) {
    for (const FieldEntry& e : entries) {
        if (e.flags) store.SetFieldFlags(e.index, e.page, *e.flags);
        if (e.size) store.SetFontSize(e.index, e.page, *e.size);
        if (e.align) {
            if (*e.align == kAlignRight)
                store.SetRight(e.index, e.page);
            else if (*e.align == kAlignCentre)
                store.SetCentred(e.index, e.page);
            else
                store.SetLeft(e.index, e.page);
        }
        if (e.bold) {
            const uint16_t w = store.GetFieldFlags(e.index, e.page);
            store.SetFieldFlags(e.index, e.page, *e.bold ? (w | kFlagBold) : (w & ~kFlagBold));
        }
        if (e.text) {
            store.SetFieldText(e.index, *e.text, e.page);
            given.insert({e.index, e.page});
        }
    }
}

QSettingsProfile& UserProfile() {
    static QSettingsProfile profile(QSettingsProfile::Area::Profile);
    return profile;
}

int Report(const std::string& file, const std::vector<Problem>& problems) {
    for (const Problem& p : problems)
        std::cerr << "tarvex: " << file << ": " << (p.path.empty() ? "" : p.path + ": ") << p.message << "\n";
    return static_cast<int>(problems.size());
}

int RunFill(const std::vector<std::string>& args) {
    CCommandLine line("fill");
    line.AddOption({"o", "output"}, "the document to write: .aef (SAD) or .fdv (D.V.1)", "OUT");
    line.AddOption({"recalc"}, "runs the D.V.1 value calculation (F3) before saving");
    line.AddOption({"lenient"}, "writes what fits: overlong texts cut, faulty entries left out and listed");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    const std::optional<std::string> output = line.Value("o");
    if (!output) return line.UsageError();
    const std::string& in = line.Files()[0];
    const bool lenient = line.IsSet("lenient");
    const bool fdv = IsFdvFile(*output);
    if (!CheckInputFile(in)) return kExitFile;

    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(ArgPath(in), bytes, error)) {
        std::cerr << "tarvex: " << in << ": " << error << "\n";
        return kExitFile;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
        &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        std::cerr << "tarvex: " << in << ": "
                  << Args(clistr::kJsonSyntax,
                          {Num(parseError.offset), parseError.errorString().toStdString()})
                  << "\n";
        return kExitFile;
    }
    if (!json.isObject()) {
        std::cerr << "tarvex: " << in << ": " << clistr::kJsonNotObject << "\n";
        return kExitFile;
    }
    const QJsonObject root = json.object();
    CFillReader reader(fdv, lenient);
    const std::set<QString> known =
        fdv ? std::set<QString>{"format", "signature", "version", "message", "checks", "fieldCounts", "pages"}
            : std::set<QString>{"format",   "signature",         "status",   "variant",
                                "formCode", "continuationCount", "inputTax", "reserved",
                                "pageMode", "fieldCounts",       "pages"};
    for (auto it = root.begin(); it != root.end(); ++it)
        if (!known.count(it.key())) reader.Fault(it.key().toStdString(), clistr::kJsonUnknownKey);
    if (root.contains("format")) {
        const QString format = root["format"].toString();
        if (format != (fdv ? "fdv" : "aef"))
            reader.Fault("format", Args(clistr::kJsonWrongFormat, {format.toStdString(), *output}));
    }
    // A dump of a file the program refuses says so; it is no document to write.
    if (const char* key = fdv ? "message" : "status"; root.contains(key))
        if (auto n = reader.Integer(root[key], key, -0x7FFFFFFF, 0x7FFFFFFF); n && *n != 0)
            reader.Fault(key, Args(clistr::kJsonNotTakenOver, {Num(*n)}));
    std::vector<FieldEntry> entries;
    const int highest = root.contains("pages") ? reader.ReadPages(root["pages"], entries) : 0;

    auto finish = [&](auto save) -> int {
        if (!reader.faults.empty() && !lenient) {
            const int n = Report(in, reader.faults);
            std::cerr << "tarvex: " << in << ": " << Args(clistr::kJsonNotWritten, {Num(n)}) << "\n";
            return kExitFile;
        }
        Report(in, reader.notes);
        for (Problem& p : reader.faults) p.message += std::string(" (") + clistr::kJsonSkipped + ")";
        Report(in, reader.faults);
        return save();
    };

    if (fdv) {
        CDV1_Doc doc;
        doc.OnNewDocument();
        if (root.contains("checks")) {
            const QJsonValue v = root["checks"];
            if (reader.Expect(v, v.isArray(), "checks", clistr::kJsonTypeArray)) {
                const QJsonArray checks = v.toArray();
                for (qsizetype i = 0; i < checks.size(); ++i) {
                    const std::string path = "checks[" + Num(i) + "]";
                    if (i >= static_cast<qsizetype>(doc.m_Checks.size())) {
                        reader.Fault(
                            path, Args(clistr::kJsonOutOfRange,
                                       {Num(i), "0", Num(static_cast<long long>(doc.m_Checks.size()) - 1)}));
                        break;
                    }
                    if (auto n = reader.Integer(checks[i], path, 0, 1))
                        doc.m_Checks[static_cast<size_t>(i)] = *n ? 1 : 0;
                }
            }
        }
        if (!reader.faults.empty() && !lenient) return finish([] { return kExitFile; });
        while (doc.Store().GetPageCount() < highest)
            if (doc.AddPage() < 0) break;
        std::set<std::pair<int, int>> given;
        ApplyFields(doc.Store(), entries, given);
        return finish([&] {
            if (line.IsSet("recalc")) {
                const int flag = settings::Get(UserProfile(), settings::kDV1Form, settings::kFlagDV1_11a);
                for (const dv1::Dv1NotAnAmount& n : dv1::CalculatePages(doc, flag))
                    std::cerr << "tarvex: " << in << ": " << dv1::NotAnAmountText(n) << "\n";
            }
            std::string saveError;
            if (!SaveFdvFile(ArgPath(*output), doc, saveError)) {
                std::cerr << "tarvex: " << saveError << "\n";
                return kExitFile;
            }
            return kExitOk;
        });
    }

    Profile& profile = UserProfile();
    CEinheitspapierDoc doc(&profile);
    doc.OnNewDocument();
    // 0-3 are the forms; a file without a form (an export file, an old layout) carries
    // kVariantExport or kVariantNone and keeps it, while the new document's defaults are those of
    // the first form.
    int variant = 0;
    if (root.contains("variant"))
        if (auto n = reader.Integer(root["variant"], "variant", -0x7FFFFFFF, 0x7FFFFFFF)) {
            if ((*n >= 0 && *n <= 3) || *n == kVariantExport || *n == kVariantNone)
                variant = static_cast<int>(*n);
            else
                reader.Fault("variant", Args(clistr::kJsonBadVariant, {Num(*n), Num(kVariantExport)}));
        }
    const int formVariant = variant;
    if (variant < 0 || variant > 3) variant = 0;
    std::optional<long long> continuation, inputTax, reserved, pageMode;
    if (root.contains("continuationCount"))
        continuation = reader.Integer(root["continuationCount"], "continuationCount", 1, kMaxPages - 1);
    if (root.contains("inputTax")) inputTax = reader.Integer(root["inputTax"], "inputTax", 0, 255);
    if (root.contains("reserved")) reserved = reader.Integer(root["reserved"], "reserved", 0, 0xFFFFFFFFll);
    if (root.contains("pageMode")) pageMode = reader.Integer(root["pageMode"], "pageMode", 0, 0xFFFF);
    if (!reader.faults.empty() && !lenient) return finish([] { return kExitFile; });

    doc.m_nFormVariant = variant;
    CFieldDefinitions definitions;
    InitialiseSadDocument(doc, profile, definitions, variant);
    CFieldStore& store = doc.Store();
    ApplyFirstPaintAlignments(store);
    // Pages are added one by one as the program adds them, each prepared from the first
    // continuation sheet.
    const int pages =
        std::max({highest, continuation ? static_cast<int>(*continuation) + 1 : 0, store.GetPageCount()});
    const bool stamps = settings::Get(profile, settings::kEHForm, settings::kStampA) == 1 ||
                        settings::Get(profile, settings::kEHForm, settings::kStampC) == 1;
    for (int page = store.GetPageCount() + 1; page <= pages; ++page) {
        doc.SetContinuationCount(static_cast<uint16_t>(page - 1));
        PrepareNewContinuationPage(store, page, stamps);
    }
    std::set<std::pair<int, int>> given;
    ApplyFields(store, entries, given);
    // Boxes 3, 5 and 32 follow the goods items as in the program, where the JSON gives no text.
    if (settings::Get(profile, settings::kEHForm, settings::kAutoFillPositions) != 0)
        for (const PositionText& t : PositionTexts(store, doc.m_nContinuationCount))
            if (!given.count({t.field, t.page})) store.SetFieldText(t.field, t.text, t.page);
    doc.m_nFormVariant = formVariant;
    if (continuation) doc.m_nContinuationCount = static_cast<uint16_t>(*continuation);
    if (inputTax) doc.m_nInputTax = static_cast<uint32_t>(*inputTax);
    if (reserved) doc.m_nReserved = static_cast<uint32_t>(*reserved);
    if (pageMode && *pageMode != store.GetPageModeWord())
        reader.Fault("pageMode",
                     Args(clistr::kJsonPageModeMismatch,
                          {Num(*pageMode), Num(store.GetPageCount()), Num(store.GetPageModeWord())}));
    store.ActivateField(0, 1);
    return finish([&] {
        std::string saveError;
        if (!SaveAefFile(ArgPath(*output), doc, saveError)) {
            std::cerr << "tarvex: " << saveError << "\n";
            return kExitFile;
        }
        return kExitOk;
    });
}

std::string Schema(bool fdv) {
    const std::string n1 = Num(fdv ? kDv1Fields1 : kSadFirstFieldCount);
    const std::string n2 = Num(fdv ? kDv1Fields2 : kSadContinuationFieldCount);
    const std::string field =
        "{\"type\":\"object\",\"additionalProperties\":false,"
        "\"oneOf\":[{\"required\":[\"index\"]},{\"required\":[\"box\"]}],"
        "\"properties\":{"
        "\"index\":{\"type\":\"integer\",\"minimum\":0,\"maximum\":" +
        Num(std::max(fdv ? kDv1Fields2 : kSadContinuationFieldCount,
                     fdv ? kDv1Fields1 : kSadFirstFieldCount) -
            1) +
        ",\"description\":\"field index on its page: 0.." + n1 + "-1 on page 1, 0.." + n2 +
        "-1 on every other page\"},"
        "\"box\":{\"type\":\"string\",\"description\":\"the box as printed on the form, e.g. " +
        (fdv ? std::string("\\\"13 (c)\\\" or \\\"2 (a)\\\"")
             : std::string("\\\"8\\\", \\\"33 A\\\" or \\\"A\\\"")) +
        "\"},"
        "\"item\":{\"type\":\"integer\",\"minimum\":1,\"maximum\":3,\"description\":\"goods item of the box "
        "on "
        "its page (default 1)\"},"
        "\"text\":{\"type\":\"string\",\"maxLength\":" +
        Num(kMaxBoxText) +
        ",\"description\":\"lines separated by CR LF\"},"
        "\"flags\":{\"type\":\"integer\",\"minimum\":0,\"maximum\":65535,\"description\":\"formatting word "
        "as "
        "tarvex dump prints it\"},"
        "\"size\":{\"type\":\"integer\",\"minimum\":0,\"maximum\":4},"
        "\"align\":{\"enum\":[\"left\",\"centre\",\"center\",\"right\"]},"
        "\"bold\":{\"type\":\"boolean\"}}}";
    std::string s =
        "{\"$schema\":\"https://json-schema.org/draft/2020-12/schema\","
        "\"title\":\"tarvex fill input (" +
        std::string(fdv ? "D.V.1, .fdv" : "SAD, .aef") +
        ")\",\"type\":\"object\",\"additionalProperties\":false,\"properties\":{"
        "\"format\":{\"const\":\"" +
        std::string(fdv ? "fdv" : "aef") +
        "\"},"
        "\"signature\":{\"type\":[\"string\",\"null\"],\"description\":\"ignored\"},"
        "\"fieldCounts\":{\"type\":\"array\",\"description\":\"ignored\"},";
    if (fdv) {
        s += "\"version\":{\"type\":[\"integer\",\"null\"],\"description\":\"ignored\"},"
             "\"message\":{\"const\":0,\"description\":\"the load message of a dump; a file that did not "
             "load is refused\"},"
             "\"checks\":{\"type\":\"array\",\"maxItems\":" +
             Num(kDv1Checks) + ",\"items\":{\"enum\":[0,1]}},";
    } else {
        s +=
            "\"status\":{\"const\":0,\"description\":\"the load status of a dump; a file that did not load "
            "is refused\"},"
            "\"formCode\":{\"type\":[\"integer\",\"null\"],\"description\":\"ignored: follows the variant\"},"
            "\"variant\":{\"enum\":[0,1,2,3," +
            Num(kVariantExport) + "," + Num(kVariantNone) +
            "],\"description\":\"0 = 0737/0738, 1 = 0747/0748, 2 = 0777/0778, 3 = 0779/0780; " +
            Num(kVariantExport) + " and " + Num(kVariantNone) +
            ": no form (export file, old layout)\"},"
            "\"continuationCount\":{\"type\":\"integer\",\"minimum\":1,\"maximum\":" +
            Num(kMaxPages - 1) +
            "},"
            "\"inputTax\":{\"type\":\"integer\",\"minimum\":0,\"maximum\":255},"
            "\"reserved\":{\"type\":\"integer\",\"minimum\":0,\"maximum\":4294967295},"
            "\"pageMode\":{\"type\":\"integer\",\"minimum\":0,\"maximum\":65535},";
    }
    s += "\"pages\":{\"type\":\"array\",\"maxItems\":" + Num(kMaxPages) +
         ",\"items\":{\"type\":\"object\",\"additionalProperties\":false,\"properties\":{"
         "\"page\":{\"type\":\"integer\",\"minimum\":1,\"maximum\":" +
         Num(kMaxPages) + "},\"fields\":{\"type\":\"array\",\"items\":" + field + "}}}}}}\n";
    return s;
}

int RunSchema(const std::vector<std::string>& args) {
    CCommandLine line("schema");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    const std::string& kind = line.Files()[0];
    if (kind != "aef" && kind != "fdv") return line.UsageError();
    const std::string s = Schema(kind == "fdv");
    std::fwrite(s.data(), 1, s.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFile;
}

const CommandRegistrar kFill(
    "fill", "fill IN.json -o OUT.aef|OUT.fdv [--recalc] [--lenient]",
    "writes a document from JSON in the shape tarvex dump prints (fields by index or by their box label); "
    "what is not given keeps the defaults of a new document",
    RunFill);
const CommandRegistrar kSchema("schema", "schema aef|fdv",
                               "prints the JSON Schema of the input of tarvex fill", RunSchema);

}  // namespace
}  // namespace tarvex::cli
