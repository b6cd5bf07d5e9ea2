#include "ui/sad/dialogs/CDlgFeld47Summe.h"

#include "core/sad/Box47.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
CDlgFeld47Summe::CDlgFeld47Summe(QWidget* parent)
    : CDlgFeld47Base(parent, kFeld47SummeColumns, kFeld47SummeAmountColumn, kFeld47SummeMethodColumn,
                     Str(sadeditstr::kFeld47SummeTitle),
                     {Str(sadeditstr::kColArt), Str(sadeditstr::kColAmount), Str(sadeditstr::kColMethod)},
                     Str(sadeditstr::kLabelGS), {70, 110, 36}) {}

}  // namespace tarvex
