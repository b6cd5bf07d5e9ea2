#pragma once
// The print command of an SAD window: commit the edited text, the margin sheet when wanted, the
// print dialog with the remembered printer, mode and pages, the preview when asked for, then one
// job on the printer or into a PDF file, with a progress dialog that can cancel it.

#include <vector>

#include "core/formview/PrintCorrections.h"

namespace tarvex {

class CEinheitspapierView;
class CTarvexImportApp;

void RunSadPrintCommand(CEinheitspapierView& view, CTarvexImportApp& app);

// The calibration sheet of the SAD at the margins given (one origin per sheet kind), in the
// print preview, from which it is printed.
void ShowSadCalibrationSheet(CEinheitspapierView& view, CTarvexImportApp& app,
                             const std::vector<PrintOrigin>& origins);

}  // namespace tarvex
