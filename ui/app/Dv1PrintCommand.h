#pragma once
// The print command of a D.V.1 window: the shared form print flow with the D.V.1's margin sheet
// (four pages), its print dialog texts and its page source.

#include <vector>

#include "core/formview/PrintCorrections.h"

namespace tarvex {

class CDV1_View;
class CTarvexImportApp;

void RunDv1PrintCommand(CDV1_View& view, CTarvexImportApp& app);

// The calibration sheet of the D.V.1 at the margins given (one origin per margin pair), in the
// print preview, from which it is printed.
void ShowDv1CalibrationSheet(CDV1_View& view, CTarvexImportApp& app, const std::vector<PrintOrigin>& origins);

}  // namespace tarvex
