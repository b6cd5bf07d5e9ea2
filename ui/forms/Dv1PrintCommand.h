#pragma once
// The print job of a D.V.1 window for the form print command: its pages, its page source and
// the overflow question by the printed labels.

#include "ui/app/FormPrintCommand.h"

namespace tarvex {

class CDV1_View;
class CTarvexImportApp;

FormPrintJob Dv1PrintJob(CDV1_View& view, CTarvexImportApp& app);

}  // namespace tarvex
