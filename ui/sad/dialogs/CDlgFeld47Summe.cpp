#include "ui/sad/dialogs/CDlgFeld47Summe.h"

#include "core/sad/Box47.h"
#include "core/sad/SadEditStrings.h"

namespace tarvex {
namespace {
QString Q(const char16_t* s) { return QString::fromUtf16(s); }
}  // namespace

CDlgFeld47Summe::CDlgFeld47Summe(QWidget* parent)
    : CDlgFeld47Base(parent, kFeld47SummeColumns, kFeld47SummeAmountColumn, kFeld47SummeMethodColumn,
                     Q(sadeditstr::kFeld47SummeTitle),
                     {Q(sadeditstr::kColArt), Q(sadeditstr::kColAmount), Q(sadeditstr::kColMethod)},
                     Q(sadeditstr::kLabelGS), {70, 110, 36}) {}

}  // namespace tarvex
