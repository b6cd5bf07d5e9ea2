#include "ui/sad/dialogs/CDlgFeld47.h"

#include "core/sad/Box47.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {
CDlgFeld47::CDlgFeld47(QWidget* parent)
    : CDlgFeld47Base(parent, kFeld47Columns, kFeld47AmountColumn, kFeld47MethodColumn,
                     Str(sadeditstr::kFeld47Title),
                     {Str(sadeditstr::kColArt), Str(sadeditstr::kColBase), Str(sadeditstr::kColRate),
                      Str(sadeditstr::kColAmount), Str(sadeditstr::kColMethod)},
                     Str(sadeditstr::kLabelSumme), {70, 140, 70, 110, 36}) {}

}  // namespace tarvex
