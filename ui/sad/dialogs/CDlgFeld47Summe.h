#pragma once
// "47 Abgabenberechnung (Zusammenfassung)": a continuation sheet's summary of box 47 (22 values:
// 7 rows of type, amount and method of payment, then the grand total "GS").

#include "ui/sad/dialogs/CDlgFeld47Base.h"

namespace tarvex {

class CDlgFeld47Summe : public CDlgFeld47Base {
    Q_OBJECT
public:
    explicit CDlgFeld47Summe(QWidget* parent = nullptr);
};

}  // namespace tarvex
