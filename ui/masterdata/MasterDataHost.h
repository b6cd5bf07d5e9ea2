#pragma once
// The master-data tables' questions and reports as message boxes.

#include <QWidget>

#include "core/masterdata/AddressDatabase.h"

namespace tarvex {

class CMasterDataMessages : public IMasterDataHost {
public:
    explicit CMasterDataMessages(QWidget* parent) : m_parent(parent) {}
    void ReportTableError(const CTableError& error) override;
    void ShowMessage(const std::u16string& text) override;
    bool AskYesNo(const std::u16string& text) override;

private:
    QWidget* m_parent;
};

// A button or label text with its access key: '&' before the first `key` in text.
QString AccessKeyText(std::u16string_view text, char16_t key);

// Tells what a table would cut and asks whether to store it cut (true) or go back to the input.
bool ConfirmCut(QWidget* parent, const std::vector<std::u16string>& problems);
// "<path>: <message> <cause>" of the engine, as a warning.
void ShowTableError(QWidget* parent, const CTableError& error);

}  // namespace tarvex
