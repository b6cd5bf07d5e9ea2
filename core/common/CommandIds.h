#pragma once
// The command ids of menus, toolbars, accelerators and the views' own commands: one table for
// the whole program.

namespace tarvex {

namespace cmd {
// File
inline constexpr int kNew = 57600, kOpen = 57601, kClose = 57602, kSave = 57603, kSaveAs = 57604;
inline constexpr int kPrintSetup = 57606, kPrint = 57607, kMruFile1 = 57616, kAbout = 57664, kExit = 57665;
inline constexpr int kHelpContents = 57666, kHelpGeneral = 57670;
inline constexpr int kNextPane = 57680, kPrevPane = 57681;
// Edit
inline constexpr int kCopy = 57634, kCut = 57635, kPaste = 57637, kSelectAll = 57642, kUndo = 57643;
// Redo of the document-wide undo (Ctrl+Y), beside the framework's undo id.
inline constexpr int kRedo = 57644;
inline constexpr int kInsertDefaults = 32809, kInsertMode = 32773, kNextField = 32775, kPrevField = 32777;
inline constexpr int kFontLarger = 32779, kFontSmaller = 32781, kFontBold = 32783;
inline constexpr int kAlignLeft = 32785, kAlignCenter = 32787, kAlignRight = 32789;
inline constexpr int kUpdateFields = 32844, kMoveGoodsItem = 32874, kRemoveLastPage = 32878;
inline constexpr int kGoToField = 32880;
inline constexpr int kDv1Calculate = 32831;
// D.V.1 front: "JA" / "NEIN" of the question whose details field has the caret, the next question.
inline constexpr int kDv1AnswerYes = 32882, kDv1AnswerNo = 32883, kDv1NextQuestion = 32884;
// Options
inline constexpr int kMargins = 32791, kPrinterFonts = 32793, kFormDefaults = 32807, kMasterData = 32840;
inline constexpr int kProgramOptions = 32842, kFieldDefinitions = 32863;
// Form
inline constexpr int kNextPage = 32815, kPrevPage = 32816, kFirstPage = 32817, kLastPage = 32818;
inline constexpr int kAddPage = 32819;
inline constexpr int kVariant0 = 32846, kVariant1 = 32848, kVariant2 = 32850, kVariant3 = 32852;
// View
inline constexpr int kToolbars = 59392, kStatusBar = 59393, kZoomIn = 32866, kZoomOut = 32867;
// Help and maintenance
inline constexpr int kHomepage = 32801, kSupportInfo = 32821, kResetFonts = 32823, kResetWorkspace = 32825;
inline constexpr int kResetAll = 32827, kPrintAreaCorrection = 32829, kDv1Hidden = 32834;
// Frame
inline constexpr int kCustomize = 126, kWindowList = 131;
}  // namespace cmd

}  // namespace tarvex
