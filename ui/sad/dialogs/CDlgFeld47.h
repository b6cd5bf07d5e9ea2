#pragma once
// "Feld 47 - Abgabenberechnung": one goods item's duty table (36 values: 7 rows of type, tax
// base, rate, amount and method of payment, then the total).

#include "ui/sad/dialogs/CDlgFeld47Base.h"

namespace tarvex {

class CDlgFeld47 : public CDlgFeld47Base {
    Q_OBJECT
public:
    explicit CDlgFeld47(QWidget* parent = nullptr);
};

}  // namespace tarvex
