#include "core/dv1/Dv1Labels.h"

#include <algorithm>
#include <string>

#include "core/common/CommonStrings.h"
#include "core/common/TextCodec.h"
#include "core/dv1/Dv1Geometry.h"
#include "core/dv1/Dv1Strings.h"
#include "core/sad/SadStrings.h"

namespace tarvex {
namespace {

// Which fields of item 1's column (0-27) repeat for item 2 (28-48), in that order.
constexpr bool kPerItem[28] = {true,  false, true,  false, true, false, true,  true, true,  true,
                               true,  true,  true,  true,  true, true,  false, true, false, true,
                               false, true,  false, true,  true, true,  true,  true};
constexpr int kItem2Of[21] = {0, 2, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 19, 21, 23, 24, 25, 26, 27};

std::string Item(int k) {
    return std::string(dv1str::kLabelItem) + std::to_string(k);
}

std::string LabelUtf8(int page, int field) {
    const std::string feld = dv1str::kLabelField;
    if (Dv1PageKindOf(page) == Dv1PageKind::Front) {
        if (field >= 0 && field < kDv1FrontFieldCount) return feld + dv1str::kLabelFront[field];
        return feld + std::to_string(field);
    }
    if (field >= 0 && field < 28)
        return feld + dv1str::kLabelContinuation[field] + (kPerItem[field] ? Item(1) : std::string());
    if (field >= 28 && field <= 48) return feld + dv1str::kLabelContinuation[kItem2Of[field - 28]] + Item(2);
    if (field >= 49 && field <= 52) return dv1str::kLabelNote[field - 49];
    if (field >= kDv1FirstSumField && field < kDv1PageFieldCount) {
        const int i = field - kDv1FirstSumField;
        return feld + dv1str::kLabelTotals[i % 4] + Item(i / 4 + 1);
    }
    return feld + std::to_string(field);
}

}  // namespace

std::u16string Dv1FieldLabel(int page, int field) {
    return FromUtf8(LabelUtf8(page, field));
}

std::u16string Dv1FieldLabelOnPage(int page, int field) {
    return FromUtf8(commonstr::Args(dv1str::kLabelOnPage, {std::to_string(page), LabelUtf8(page, field)}));
}

std::u16string Dv1OverflowQuestion(int page, const std::vector<int>& fields) {
    std::vector<std::u16string> labels;
    for (int f : fields) {
        std::u16string label = Dv1FieldLabel(page, f);
        if (std::find(labels.begin(), labels.end(), label) == labels.end())
            labels.push_back(std::move(label));
    }
    std::u16string list;
    for (const auto& l : labels) list += (list.empty() ? u"" : u"; ") + l;
    return sadstr::kOverflowQuestion + list + sadstr::kOverflowQuestionEnd;
}

namespace dv1 {

std::string NotAnAmountText(const Dv1NotAnAmount& n) {
    return commonstr::Args(dv1str::kNotAnAmount,
                           {ToUtf8(Dv1FieldLabelOnPage(n.page, n.field)), ToUtf8(n.text)});
}

std::string NotAmountsStatusText(const std::vector<Dv1NotAnAmount>& found) {
    if (found.empty()) return {};
    const std::string first = NotAnAmountText(found.front());
    if (found.size() == 1) return first;
    return commonstr::Args(dv1str::kNotAnAmountCount, {std::to_string(found.size()), first});
}

std::string NotAmountsOnOpenText(const std::vector<Dv1NotAnAmount>& found) {
    if (found.empty()) return {};
    const Dv1NotAnAmount& n = found.front();
    const std::string label = ToUtf8(Dv1FieldLabelOnPage(n.page, n.field));
    if (found.size() == 1) return commonstr::Args(dv1str::kNotAnAmountOnOpen, {label, ToUtf8(n.text)});
    return commonstr::Args(dv1str::kNotAmountsOnOpen, {std::to_string(found.size()), label, ToUtf8(n.text)});
}

}  // namespace dv1
}  // namespace tarvex
