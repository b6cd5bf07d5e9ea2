#pragma once
// The print command of a D.V.1 window: the shared form print flow with the D.V.1's margin sheet
// (four pages), its print dialog texts and its page printer.

namespace tarvex {

class CDV1_View;
class CTarvexImportApp;

void RunDv1PrintCommand(CDV1_View& view, CTarvexImportApp& app);

}  // namespace tarvex
