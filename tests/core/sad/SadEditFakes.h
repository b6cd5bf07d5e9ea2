#pragma once
// A window-less SAD editing set-up for the navigation, page and variant tests: a new document,
// the built-in field definitions, a fake edit window that shows the stored text of the field it
// is moved to, and a host that records what the view would show and answers the dialogs.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "core/app/Profile.h"
#include "core/formview/FieldDefinitions.h"
#include "core/masterdata/Article.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadNavigation.h"

namespace tarvex::sadtest {

struct FakeWindow : IEditWindow {
    CFieldStore* store = nullptr;
    std::u16string text;
    std::vector<std::pair<int, int>> shown;  // (field, page) in the order the window went there
    bool HasWindow() const override { return true; }
    std::u16string WindowText() const override { return text; }
    void SetWindowText(const std::u16string& t) override { text = t; }
    void ShowField(uint16_t index, uint16_t page) override {
        text = store->GetFieldText(index, page);
        shown.emplace_back(index, page);
    }
};

struct FakeHost : ISadEditHost {
    int page = 1;
    int helpContext = 0;
    std::vector<int> helpShown;
    int redraws = 0;
    int statusUpdates = 0;
    bool editWindowShown = true;
    std::vector<std::u16string> messages;
    std::vector<std::u16string> questions;
    bool answerYes = true;
    // Fields entered through a dialog: (dialog, field) in order.
    std::vector<std::pair<std::string, int>> dialogs;
    std::function<bool(std::u16string&)> textInput3L = [](std::u16string&) { return false; };
    std::function<bool(std::u16string&, bool&)> feld44 = [](std::u16string&, bool&) { return false; };
    std::function<bool(std::vector<std::u16string>&)> feld47 = [](std::vector<std::u16string>&) {
        return false;
    };
    std::function<bool(std::vector<std::u16string>&)> feld47Summe = [](std::vector<std::u16string>&) {
        return false;
    };
    std::function<bool(const std::vector<std::u16string>&, int&, int&)> move =
        [](const std::vector<std::u16string>&, int&, int&) { return false; };
    std::function<bool(std::u16string&, std::u16string&)> address = [](std::u16string&, std::u16string&) {
        return false;
    };
    std::function<bool(CArticle&)> article = [](CArticle&) { return false; };
    CFieldStore* store = nullptr;

    int CurrentPage() const override { return page; }
    void SetCurrentPage(int p) override { page = p; }
    void SetHelpContext(int c) override { helpContext = c; }
    void ShowHelpContext(int c) override { helpShown.push_back(c); }
    void FocusEditWindow() override {}
    void EnsureVisible() override {}
    void ShowEditWindow(bool show) override { editWindowShown = show; }
    void UpdateStatusText() override { ++statusUpdates; }
    void Redraw() override { ++redraws; }
    void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
    bool AskYesNo(const std::u16string& text, bool) override {
        questions.push_back(text);
        return answerYes;
    }
    bool RunTextInput3L(std::u16string& text) override {
        dialogs.emplace_back("3L", store->GetCurrentField());
        return textInput3L(text);
    }
    bool RunFeld44(std::u16string& text, bool& inputTax) override {
        dialogs.emplace_back("44", store->GetCurrentField());
        return feld44(text, inputTax);
    }
    bool RunFeld47(std::vector<std::u16string>& values) override {
        dialogs.emplace_back("47", store->GetCurrentField());
        return feld47(values);
    }
    bool RunFeld47Summe(std::vector<std::u16string>& values) override {
        dialogs.emplace_back("47S", store->GetCurrentField());
        return feld47Summe(values);
    }
    bool RunMoveGoodsItem(const std::vector<std::u16string>& entries, int& source, int& target) override {
        dialogs.emplace_back("move", store->GetCurrentField());
        return move(entries, source, target);
    }
    bool RunAddressDialog(std::u16string& text, std::u16string& customsNumber) override {
        dialogs.emplace_back("address", store->GetCurrentField());
        return address(text, customsNumber);
    }
    bool RunArticleSelection(CArticle& a) override {
        dialogs.emplace_back("article", store->GetCurrentField());
        return article(a);
    }
};

struct SadEditEnv {
    CMemoryProfile profile;
    CEinheitspapierDoc doc{&profile};
    CFieldDefinitions defs;
    FakeHost host;
    FakeWindow window;
    CSadNavigation nav{doc, defs, host};

    explicit SadEditEnv(int variant = 0) {
        doc.OnNewDocument();
        doc.m_nFormVariant = variant;
        defs.ResetToBuiltIn();
        window.store = &doc.Store();
        host.store = &doc.Store();
        doc.Store().AttachWindow(&window);
        doc.Store().ActivateField(0, 1);
        window.shown.clear();
    }
    CFieldStore& store() { return doc.Store(); }
    void SetInt(const char* key, int value) { profile.WriteProfileInt("EHForm_Defaults", key, value); }
    // Types a text into the field that holds the caret.
    void Type(const std::u16string& text) { window.text = text; }
    int Field() { return doc.Store().GetCurrentField(); }
    int Page() { return doc.Store().GetCurrentPage(); }
};

}  // namespace tarvex::sadtest
