#include "ui/sad/SadViewInput.h"

#include <QMessageBox>
#include <QScrollBar>

#include "core/common/ShellStrings.h"
#include "core/common/TextCodec.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadEditStrings.h"
#include "core/sad/SadPages.h"
#include "core/sad/SadVariants.h"
#include "ui/codelists/Common_DlgBundeslaenderCode.h"
#include "ui/codelists/Common_DlgLaenderCode.h"
#include "ui/codelists/Common_DlgWaehrungsCode.h"
#include "ui/common/HelpContextScope.h"
#include "ui/formview/DocumentUndo.h"
#include "ui/masterdata/CDlgEH_Default08.h"
#include "ui/masterdata/CDlgStammDatenEingabe.h"
#include "ui/sad/CEinheitspapierView.h"
#include "ui/sad/dialogs/CDlgEH_Default01.h"
#include "ui/sad/dialogs/CDlgEH_Default19.h"
#include "ui/sad/dialogs/CDlgEH_Default20.h"
#include "ui/sad/dialogs/CDlgEH_Default24.h"
#include "ui/sad/dialogs/CDlgEH_Default25.h"
#include "ui/sad/dialogs/CDlgEH_Default29.h"
#include "ui/sad/dialogs/CDlgEH_Default36.h"
#include "ui/sad/dialogs/CDlgEH_Default54.h"
#include "ui/sad/dialogs/CDlgFeld44Einfuhr.h"
#include "ui/sad/dialogs/CDlgFeld47.h"
#include "ui/sad/dialogs/CDlgFeld47Summe.h"
#include "ui/sad/dialogs/CDlgGeheZuFeld.h"
#include "ui/sad/dialogs/CDlgMoveEHWarenpositon.h"
#include "ui/sad/dialogs/CDlgTextInput3L.h"

namespace tarvex {

CSadViewInput::CSadViewInput(CEinheitspapierView& view, const CFieldDefinitions& defs, Hooks hooks)
    : m_view(view), m_hooks(std::move(hooks)), m_nav(*view.GetDocument(), defs, *this) {}

template <class F>
void CSadViewInput::Run(F&& step) {
    CEinheitspapierDoc& doc = *m_view.GetDocument();
    const bool wasModified = doc.IsModified();
    {
        // The edit window moves once, to the field the step ends in.
        CWindowDeferral deferral(doc.Store());
        step();
    }
    if (doc.IsModified() && !wasModified) m_view.SetDocumentModified();
    m_view.viewport()->update();
}

void CSadViewInput::Navigate(bool forward) {
    Run([&] { forward ? m_nav.NextInputField() : m_nav.PreviousInputField(); });
}

void CSadViewInput::GoToField(int field, int page) {
    Run([&] { m_nav.GoToField(field, page); });
}

bool CSadViewInput::OnCommand(int id) {
    switch (id) {
        case cmd::kInsertDefaults:
            Run([&] { m_nav.InsertDefaults(); });
            return true;
        case cmd::kFirstPage:
            if (CanGoToPreviousPage(m_nav)) Run([&] { FirstPage(m_nav); });
            return true;
        case cmd::kPrevPage:
            Run([&] { PreviousPage(m_nav); });
            return true;
        case cmd::kNextPage:
            Run([&] { NextPage(m_nav); });
            return true;
        case cmd::kLastPage:
            Run([&] { LastPage(m_nav); });
            return true;
        case cmd::kAddPage:
            Run([&] { AddPage(m_nav); });
            return true;
        case cmd::kRemoveLastPage:
            Run([&] { RemoveLastPage(m_nav); });
            return true;
        case cmd::kMoveGoodsItem:
            Run([&] { MoveGoodsItemCommand(m_nav); });
            return true;
        case cmd::kUpdateFields:
            Run([&] { UpdatePositions(m_nav); });
            return true;
        case cmd::kGoToField:
            GoToFieldCommand();
            return true;
        case cmd::kVariant0:
        case cmd::kVariant1:
        case cmd::kVariant2:
        case cmd::kVariant3:
            Run([&] { SetFormVariant(m_nav, (id - cmd::kVariant0) / 2); });
            return true;
        default:
            return false;
    }
}

bool CSadViewInput::UpdateCommandUI(int id, CommandState& s) const {
    s = CommandState();
    switch (id) {
        case cmd::kInsertDefaults:
            s.enabled = m_nav.CanInsertDefaults();
            return true;
        case cmd::kFirstPage:
        case cmd::kPrevPage:
            s.enabled = CanGoToPreviousPage(m_nav);
            return true;
        case cmd::kNextPage:
        case cmd::kLastPage:
            s.enabled = CanGoToNextPage(m_nav);
            return true;
        case cmd::kAddPage:
            s.enabled = CanAddPage(m_nav);
            return true;
        case cmd::kRemoveLastPage:
            s.enabled = CanRemoveLastPage(m_nav);
            return true;
        case cmd::kMoveGoodsItem:
        case cmd::kUpdateFields:
        case cmd::kGoToField:
            return true;
        case cmd::kVariant0:
        case cmd::kVariant1:
        case cmd::kVariant2:
        case cmd::kVariant3: {
            const VariantCommandState v = VariantCommandStateFor(m_nav, (id - cmd::kVariant0) / 2);
            s.checkable = true;
            s.checked = v.checked;
            s.enabled = v.enabled;
            return true;
        }
        default:
            return false;
    }
}

void CSadViewInput::GoToFieldCommand() {
    m_nav.Commit();
    const CFieldStore& store = m_nav.Store();
    // On a continuation sheet the dialog offers the goods item that holds the caret.
    const int field = store.GetCurrentField();
    const int item = CurrentPage() == 1 ? 0 : field >= 11 && field <= 73 ? (field - 11) / 21 + 1 : 1;
    CDlgGeheZuFeld dlg(
        item, [this](const std::u16string& label, int i) { return m_nav.FindBox(label, i).error; }, &m_view);
    QObject::connect(&dlg, &CDlgGeheZuFeld::helpRequested, &dlg, [this](int c) { ShowHelpContext(c); });
    const int savedHelp = m_hooks.helpContext ? m_hooks.helpContext() : 0;
    SetHelpContext(CDlgGeheZuFeld::kHelpContext);
    const bool ok = Exec(dlg) == QDialog::Accepted;
    SetHelpContext(savedHelp);
    if (ok) Run([&] { m_nav.GoToBox(m_nav.FindBox(dlg.Label(), dlg.Item())); });
}

int CSadViewInput::CurrentPage() const {
    return m_view.CurrentPage();
}

void CSadViewInput::SetCurrentPage(int page) {
    if (m_hooks.setCurrentPage) m_hooks.setCurrentPage(page);
}

void CSadViewInput::SetHelpContext(int context) {
    if (m_hooks.setHelpContext) m_hooks.setHelpContext(context);
}

void CSadViewInput::ShowHelpContext(int context) {
    if (m_hooks.showHelp) m_hooks.showHelp(context);
}

void CSadViewInput::FocusEditWindow() {
    if (m_view.EditWindow()) m_view.EditWindow()->setFocus();
}

void CSadViewInput::EnsureVisible() {
    CatchUpEditWindow();
    if (m_view.EditWindow()) m_view.EditWindow()->EnsureVisible();
}

void CSadViewInput::ShowEditWindow(bool show) {
    CatchUpEditWindow();
    if (m_view.EditWindow()) m_view.EditWindow()->setVisible(show);
}

void CSadViewInput::CatchUpEditWindow() {
    m_view.GetDocument()->Store().CatchUpWindow();
}

int CSadViewInput::Exec(QDialog& dialog) {
    CatchUpEditWindow();
    return dialog.exec();
}

void CSadViewInput::UpdateStatusText() {
    m_view.UpdateStatusText();
}

void CSadViewInput::Redraw() {
    m_view.viewport()->update();
}

void CSadViewInput::ShowMessage(const std::u16string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf16(shellstr::kAppTitle),
                    QString::fromStdU16String(text), QMessageBox::Ok, &m_view);
    Exec(box);
}

bool CSadViewInput::AskYesNo(const std::u16string& text, bool questionIcon) {
    QMessageBox box(questionIcon ? QMessageBox::Question : QMessageBox::NoIcon,
                    QString::fromUtf16(shellstr::kAppTitle), QString::fromStdU16String(text),
                    QMessageBox::Yes | QMessageBox::No, &m_view);
    return Exec(box) == QMessageBox::Yes;
}

void CSadViewInput::EndUndoStep() {
    if (CDocumentUndo* undo = m_view.Undo()) undo->SplitStep();
}

bool CSadViewInput::RunTextInput3L(std::u16string& text) {
    CDlgTextInput3L dlg(&m_view);
    dlg.SetText(text);
    if (Exec(dlg) != QDialog::Accepted) return false;
    text = dlg.Text();
    return true;
}

bool CSadViewInput::RunFeld44(std::u16string& text, bool& inputTax) {
    CDlgFeld44Einfuhr dlg(&m_view);
    dlg.SetValues(text, true, inputTax);
    QObject::connect(&dlg, &CDlgFeld44Einfuhr::helpRequested, &dlg, [this](int c) { ShowHelpContext(c); });
    if (Exec(dlg) != QDialog::Accepted) return false;
    text = dlg.Text();
    inputTax = dlg.InputTax();
    return true;
}

bool CSadViewInput::RunFeld47(std::vector<std::u16string>& values) {
    CDlgFeld47 dlg(&m_view);
    dlg.SetValues(values);
    QObject::connect(&dlg, &CDlgFeld47Base::helpRequested, &dlg, [this](int c) { ShowHelpContext(c); });
    if (Exec(dlg) != QDialog::Accepted) return false;
    values = dlg.Values();
    return true;
}

bool CSadViewInput::RunFeld47Summe(std::vector<std::u16string>& values) {
    CDlgFeld47Summe dlg(&m_view);
    dlg.SetValues(values);
    QObject::connect(&dlg, &CDlgFeld47Base::helpRequested, &dlg, [this](int c) { ShowHelpContext(c); });
    if (Exec(dlg) != QDialog::Accepted) return false;
    values = dlg.Values();
    return true;
}

bool CSadViewInput::RunMoveGoodsItem(const std::vector<std::u16string>& entries, int& source, int& target) {
    CDlgMoveEHWarenpositon dlg(&m_view);
    dlg.SetEntries(entries, source, target);
    if (Exec(dlg) != QDialog::Accepted) return false;
    source = dlg.Source();
    target = dlg.Target();
    return true;
}

namespace {

std::filesystem::path FolderOf(const std::function<QString()>& dataFolder) {
    const QString folder = dataFolder ? dataFolder() : QString();
    return std::filesystem::path(folder.toStdU16String());
}

}  // namespace

bool CSadViewInput::RunAddressDialog(std::u16string& address, std::u16string& customsNumber) {
    Profile* profile = m_view.GetDocument()->GetProfile();
    if (!profile) return false;
    CDlgEH_Default08 dlg(*profile, FolderOf(m_hooks.dataFolder), &m_view);
    dlg.SetAddress(address);
    if (dlg.OpenOrCreate() != 1) return false;
    const bool ok = Exec(dlg) == QDialog::Accepted;
    dlg.CloseTable();
    if (!ok) return false;
    address = TrimmedRight(dlg.Address());
    customsNumber = dlg.CustomsNumber();
    return true;
}

bool CSadViewInput::RunArticleSelection(CArticle& article) {
    Profile* profile = m_view.GetDocument()->GetProfile();
    if (!profile) return false;
    CDlgStammDatenEingabe dlg(*profile, FolderOf(m_hooks.dataFolder), &m_view);
    dlg.SetSelectionMode(true);
    const int previousContext = m_hooks.helpContext ? m_hooks.helpContext() : 0;
    QObject::connect(&dlg, &CDlgStammDatenEingabe::helpContextChanged, &dlg,
                     [this](int c) { SetHelpContext(c); });
    QObject::connect(&dlg, &CDlgStammDatenEingabe::helpRequested, &dlg,
                     [this](int c) { ShowHelpContext(c); });
    dlg.Initialise();
    const bool ok = Exec(dlg) == QDialog::Accepted;
    SetHelpContext(previousContext);
    if (!ok) return false;
    article = dlg.Result();
    return true;
}

template <class Dialog>
bool CSadViewInput::ExecBoxDialog(Dialog& dialog) {
    const int context = SadHelpContext(CurrentPage() == 1 ? 1 : 2, m_nav.Store().GetCurrentField());
    const int saved = m_hooks.helpContext ? m_hooks.helpContext() : 0;
    SetHelpContext(context);
    if constexpr (requires { &Dialog::helpRequested; })
        QObject::connect(&dialog, &Dialog::helpRequested, &dialog,
                         [this, context] { ShowHelpContext(context); });
    const bool ok = Exec(dialog) == QDialog::Accepted;
    SetHelpContext(saved);
    return ok;
}

template <class Dialog>
bool CSadViewInput::RunTextDialog(std::u16string& text) {
    Dialog dlg(&m_view);
    dlg.SetText(text);
    if (!ExecBoxDialog(dlg)) return false;
    text = dlg.Text();
    return true;
}

bool CSadViewInput::RunBox1(std::array<std::u16string, 3>& texts) {
    CDlgEH_Default01 dlg(&m_view);
    dlg.SetTexts(texts);
    if (!ExecBoxDialog(dlg)) return false;
    texts = dlg.Texts();
    return true;
}

bool CSadViewInput::RunCountry(int mode, std::u16string& name, std::u16string& code) {
    Common_DlgLaenderCode dlg(&m_view);
    dlg.SetMode(mode);
    dlg.SetPresets(name, code);
    if (!ExecBoxDialog(dlg)) return false;
    name = dlg.Name();
    code = dlg.Code();
    return true;
}

bool CSadViewInput::RunCurrency(std::u16string& code) {
    Common_DlgWaehrungsCode dlg(&m_view);
    dlg.SetCode(code);
    if (!ExecBoxDialog(dlg)) return false;
    code = dlg.Code();
    return true;
}

bool CSadViewInput::RunFederalState(std::u16string& code) {
    Common_DlgBundeslaenderCode dlg(&m_view);
    dlg.SetCode(code);
    if (!ExecBoxDialog(dlg)) return false;
    code = dlg.Code();
    return true;
}

bool CSadViewInput::RunBox19(std::u16string& text) {
    return RunTextDialog<CDlgEH_Default19>(text);
}

bool CSadViewInput::RunBox20(std::u16string& text) {
    return RunTextDialog<CDlgEH_Default20>(text);
}

bool CSadViewInput::RunBox25(std::u16string& text) {
    return RunTextDialog<CDlgEH_Default25>(text);
}

bool CSadViewInput::RunBox29(std::u16string& text) {
    CDlgEH_Default29 dlg(&m_view);
    dlg.SetProfile(m_view.GetDocument()->GetProfile());
    dlg.SetText(text);
    if (!ExecBoxDialog(dlg)) return false;
    text = dlg.Text();
    return true;
}

bool CSadViewInput::RunBox36(std::u16string& text) {
    return RunTextDialog<CDlgEH_Default36>(text);
}

bool CSadViewInput::RunBox24(std::u16string& box24A, std::u16string& box24B) {
    CDlgEH_Default24 dlg(&m_view);
    dlg.SetTexts(box24A, box24B);
    if (!ExecBoxDialog(dlg)) return false;
    box24A = dlg.Box24A();
    box24B = dlg.Box24B();
    return true;
}

bool CSadViewInput::RunBox54(std::u16string& place, bool& remember) {
    CDlgEH_Default54 dlg(&m_view);
    dlg.SetValues(place, remember);
    if (!ExecBoxDialog(dlg)) return false;
    place = dlg.Place();
    remember = dlg.Remember();
    return true;
}

}  // namespace tarvex
