#pragma once
// The print command of an SAD window: commit the edited text, the margin sheet when wanted, the
// print dialog with the remembered printer, then one page per copy on the printer or into a PDF.

namespace tarvex {

class CEinheitspapierView;
class CTarvexImportApp;

void RunSadPrintCommand(CEinheitspapierView& view, CTarvexImportApp& app);

}  // namespace tarvex
