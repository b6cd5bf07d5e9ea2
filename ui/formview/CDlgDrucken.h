#pragma once
// "Formular bedrucken": page, copies and the printer to use again for one form kind.

#include <QDialog>

class QComboBox;
class QCheckBox;
class QLineEdit;
class QLabel;

namespace tarvex {

class CDlgDrucken : public QDialog {
    Q_OBJECT
public:
    // kind 0 = SAD, 1 = D.V.1; pageCount = pages of the document.
    CDlgDrucken(int kind, int pageCount, const QString& device, bool portrait, bool reuse,
                QWidget* parent = nullptr);

    int m_nCopies = 1;
    QString m_strTitle;
    bool m_bPortrait = true;
    int m_nDlgHelpContext = 0;
    int m_nPage = 1;  // in: page count; out: chosen page, 1-based
    int m_nKind = 0;
    int m_bReuse = 0;
    int m_bChoosePrinter = 0;
    QString m_strDevice;

    QComboBox* PageList() const { return m_pages; }
    QLineEdit* CopiesEdit() const { return m_copies; }
    QCheckBox* ReuseBox() const { return m_reuse; }

signals:
    void helpRequested();

public slots:
    void accept() override;

private:
    QComboBox* m_pages;
    QLineEdit* m_copies;
    QCheckBox* m_reuse;
};

}  // namespace tarvex
