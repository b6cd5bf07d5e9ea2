#pragma once
// The print job of an SAD window for the form print command: its pages, the edited text
// committed with the field's actions, its page source and the overflow question by sheet.

#include "ui/app/FormPrintCommand.h"

namespace tarvex {

class CEinheitspapierView;
class CTarvexImportApp;

FormPrintJob SadPrintJob(CEinheitspapierView& view, CTarvexImportApp& app);

}  // namespace tarvex
