#pragma once
// Connects the SAD view to the editing logic of the core: field navigation (GoToField, Tab and
// Shift+Tab), F2, the page commands, the goods-item move, the variant commands and the
// box 3/5/32 update. It shows the dialogs and questions the logic asks for.
//
// The view keeps one CSadViewInput and forwards to it: GoToField(field, page) ->
// Nav().GoToField; Tab / Shift+Tab (NavigateFromEditor) -> Nav().NextInputField /
// PreviousInputField; OnCommand and UpdateCommandUI for the ids below (false when not handled).

#include <QString>
#include <functional>

#include "core/common/CommandIds.h"
#include "core/sad/SadNavigation.h"

class QDialog;

namespace tarvex {

class CEinheitspapierView;
struct CommandState;

class CSadViewInput : public ISadEditHost {
public:
    // What only the view and the application know.
    struct Hooks {
        std::function<void(int page)> setCurrentPage;  // the view's page member, nothing else
        std::function<void(int context)> setHelpContext;
        std::function<void(int context)> showHelp;
        std::function<int()> helpContext;
        std::function<QString()> dataFolder;  // of the master-data tables
    };
    CSadViewInput(CEinheitspapierView& view, const CFieldDefinitions& defs, Hooks hooks);

    CSadNavigation& Nav() { return m_nav; }

    bool OnCommand(int id);
    bool UpdateCommandUI(int id, CommandState& state) const;
    // Tab (forward) and Shift+Tab.
    void Navigate(bool forward);
    void GoToField(int field, int page);
    // "Gehe zu Feld...": asks for a box label and enters that box as Tab would.
    void GoToFieldCommand();

    // ISadEditHost
    int CurrentPage() const override;
    void SetCurrentPage(int page) override;
    void SetHelpContext(int context) override;
    void ShowHelpContext(int context) override;
    void EndUndoStep() override;
    void FocusEditWindow() override;
    void EnsureVisible() override;
    void ShowEditWindow(bool show) override;
    void UpdateStatusText() override;
    void Redraw() override;
    void ShowMessage(const std::u16string& text) override;
    bool AskYesNo(const std::u16string& text, bool questionIcon) override;
    bool RunTextInput3L(std::u16string& text) override;
    bool RunFeld44(std::u16string& text, bool& inputTax) override;
    bool RunFeld47(std::vector<std::u16string>& values) override;
    bool RunFeld47Summe(std::vector<std::u16string>& values) override;
    bool RunBox1(std::array<std::u16string, 3>& texts) override;
    bool RunCountry(int mode, std::u16string& name, std::u16string& code) override;
    bool RunCurrency(std::u16string& code) override;
    bool RunFederalState(std::u16string& code) override;
    bool RunBox19(std::u16string& text) override;
    bool RunBox20(std::u16string& text) override;
    bool RunBox25(std::u16string& text) override;
    bool RunBox29(std::u16string& text) override;
    bool RunBox36(std::u16string& text) override;
    bool RunBox24(std::u16string& box24A, std::u16string& box24B) override;
    bool RunBox54(std::u16string& place, bool& remember) override;
    bool RunMoveGoodsItem(const std::vector<std::u16string>& entries, int& source, int& target) override;
    bool RunAddressDialog(std::u16string& address, std::u16string& customsNumber) override;
    bool RunArticleSelection(CArticle& article) override;

private:
    // Shows an F2 dialog modally with the help context of the box F2 was pressed in; its help
    // button opens that page. True for OK.
    template <class Dialog>
    bool ExecBoxDialog(Dialog& dialog);
    // The box dialogs that take one box text and hand one back.
    template <class Dialog>
    bool RunTextDialog(std::u16string& text);
    // Runs an editing step and tells the view when it made the document modified.
    template <class F>
    void Run(F&& step);
    // Puts the edit window over the current field before it is scrolled into view or a dialog
    // opens over the form.
    void CatchUpEditWindow();
    // Every dialog of the form runs here, with the edit window over the box it belongs to.
    int Exec(QDialog& dialog);

    CEinheitspapierView& m_view;
    Hooks m_hooks;
    CSadNavigation m_nav;
};

}  // namespace tarvex
