#include "ui/sad/dialogs/CDlgFeld47.h"

#include "core/sad/Box47.h"
#include "core/sad/SadEditStrings.h"

namespace tarvex {
namespace {
QString Q(const char16_t* s) { return QString::fromUtf16(s); }
}  // namespace

CDlgFeld47::CDlgFeld47(QWidget* parent)
    : CDlgFeld47Base(parent, kFeld47Columns, kFeld47AmountColumn, kFeld47MethodColumn, Q(sadeditstr::kFeld47Title),
                     {Q(sadeditstr::kColArt), Q(sadeditstr::kColBase), Q(sadeditstr::kColRate),
                      Q(sadeditstr::kColAmount), Q(sadeditstr::kColMethod)},
                     Q(sadeditstr::kLabelSumme), {70, 140, 70, 110, 36}) {}

}  // namespace tarvex
