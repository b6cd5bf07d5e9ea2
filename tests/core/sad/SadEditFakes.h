#pragma once
// A window-less SAD editing set-up for the navigation, page and variant tests: a new document,
// the built-in field definitions, a fake edit window that shows the stored text of the field it
// is moved to, and a host that records what the view would show and answers the dialogs.

#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/masterdata/Article.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/FieldDefinitions.h"
#include "core/sad/SadNavigation.h"
#include "core/settings/Profile.h"

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
    // The code lists and box dialogs of F2, by name ("country", "currency", "state", "box1",
    // "box19", ...): presets in and results out as texts (the country mode first, as decimal
    // text). `boxDialog` answers them all; `presets` keeps what each was given last.
    std::function<bool(const std::string&, std::vector<std::u16string>&)> boxDialog =
        [](const std::string&, std::vector<std::u16string>&) { return false; };
    std::map<std::string, std::vector<std::u16string>> presets;
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
    bool Box(const std::string& name, std::vector<std::u16string>& values) {
        dialogs.emplace_back(name, store->GetCurrentField());
        presets[name] = values;
        return boxDialog(name, values);
    }
    static std::u16string Num(int n) {
        const std::string s = std::to_string(n);
        return std::u16string(s.begin(), s.end());
    }
    bool RunBox1(std::array<std::u16string, 3>& texts) override {
        std::vector<std::u16string> v(texts.begin(), texts.end());
        if (!Box("box1", v)) return false;
        for (size_t i = 0; i < 3; ++i) texts[i] = v.at(i);
        return true;
    }
    bool RunCountry(int mode, std::u16string& name, std::u16string& code) override {
        std::vector<std::u16string> v{Num(mode), name, code};
        if (!Box("country", v)) return false;
        name = v.at(1);
        code = v.at(2);
        return true;
    }
    bool RunText(const char* dialog, std::u16string& text) {
        std::vector<std::u16string> v{text};
        if (!Box(dialog, v)) return false;
        text = v.at(0);
        return true;
    }
    bool RunCurrency(std::u16string& code) override { return RunText("currency", code); }
    bool RunFederalState(std::u16string& code) override { return RunText("state", code); }
    bool RunBox19(std::u16string& text) override { return RunText("box19", text); }
    bool RunBox20(std::u16string& text) override { return RunText("box20", text); }
    bool RunBox25(std::u16string& text) override { return RunText("box25", text); }
    bool RunBox29(std::u16string& text) override { return RunText("box29", text); }
    bool RunBox36(std::u16string& text) override { return RunText("box36", text); }
    bool RunBox24(std::u16string& box24A, std::u16string& box24B) override {
        std::vector<std::u16string> v{box24A, box24B};
        if (!Box("box24", v)) return false;
        box24A = v.at(0);
        box24B = v.at(1);
        return true;
    }
    bool RunBox54(std::u16string& place, bool& remember) override {
        std::vector<std::u16string> v{place, Num(remember ? 1 : 0)};
        if (!Box("box54", v)) return false;
        place = v.at(0);
        remember = v.at(1) == u"1";
        return true;
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
