// tarvex layout sad: the SAD layout tables as one JSON object.

#include <iostream>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "Dv1Commands.h"
#include "Json.h"
#include "core/common/TextCodec.h"
#include "core/sad/SadLayout.h"

namespace tarvex::cli {
namespace {

constexpr const char* kUsage = "layout sad|dv1";

std::string Rect(const SadRect& r) {
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "]";
}

std::string Sheet(SadSheet sheet) {
    std::string out = "{\"sheet\":";
    out += sheet == SadSheet::First ? "\"first\"" : "\"continuation\"";
    out += ",\"fields\":[";
    const auto& fields = SadFields(sheet);
    for (size_t i = 0; i < fields.size(); ++i) {
        const SadFieldLayout& f = fields[i];
        if (i) out += ",";
        out += "{\"index\":" + std::to_string(i) + ",\"rect\":" + Rect(f.screen) +
               ",\"printRect\":" + Rect(f.print) + ",\"definition\":[";
        for (int v = 0; v < 4; ++v)
            out += (v ? "," : "") + std::to_string(f.definition[static_cast<size_t>(v)]);
        out += "],\"flags\":" + std::to_string(f.flags) + "}";
    }
    out += "],\"captions\":[";
    const auto& captions = SadCaptions(sheet);
    for (size_t i = 0; i < captions.size(); ++i) {
        if (i) out += ",";
        out += "{\"index\":" + std::to_string(i) + ",\"x\":" + std::to_string(captions[i].x) +
               ",\"y\":" + std::to_string(captions[i].y) +
               ",\"text\":" + JsonString(ToUtf8(captions[i].text)) + "}";
    }
    out += "],\"rulings\":[";
    const auto& groups = SadRulingGroups(sheet);
    for (size_t g = 0; g < groups.size(); ++g) {
        out += g ? ",[" : "[";
        for (size_t s = 0; s < groups[g].size(); ++s) {
            const SadSegment& seg = groups[g][s];
            out += (s ? ",[" : "[") + std::to_string(seg.x1) + "," + std::to_string(seg.y1) + "," +
                   std::to_string(seg.x2) + "," + std::to_string(seg.y2) + "]";
        }
        out += "]";
    }
    out += "],\"crossedOut\":[";
    for (int v = 0; v < 4; ++v) {
        out += v ? ",[" : "[";
        const auto& list = SadCrossedOut(sheet, v);
        for (size_t i = 0; i < list.size(); ++i) out += (i ? "," : "") + std::to_string(list[i]);
        out += "]";
    }
    out += "]}";
    return out;
}

int RunLayout(const std::vector<std::string>& args) {
    CCommandLine line("layout");
    if (auto rc = line.Parse(args, 1, 1)) return *rc;
    const std::string& form = line.Files()[0];
    if (form == "dv1") return LayoutDv1();
    if (form != "sad") return line.UsageError();
    std::cout << "{\"sheets\":[" << Sheet(SadSheet::First) << "," << Sheet(SadSheet::Continuation) << "]}\n";
    return kExitOk;
}

const CommandRegistrar kLayout("layout", kUsage,
                               "prints the layout tables of the SAD sheets or the D.V.1 pages (fields, "
                               "captions, rulings, boxes) as JSON",
                               RunLayout);

}  // namespace
}  // namespace tarvex::cli
