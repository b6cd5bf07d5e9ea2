#pragma once
// "Vorgaben für Zollarten": the duty types of box 47 with their meaning.

#include <QDialog>

class QComboBox;
class QLabel;

namespace tarvex {

class CDlgZollArten : public QDialog {
    Q_OBJECT
public:
    explicit CDlgZollArten(QWidget* parent = nullptr);

    // Preset: the first code beginning with it (ignoring case) is selected, else the first.
    void SetCode(const QString& preset);
    QString Code() const;

    QComboBox* List() const { return m_pList; }
    QLabel* Meaning() const { return m_pMeaning; }

private:
    void ShowMeaning(int index);

    QComboBox* m_pList;
    QLabel* m_pMeaning;
};

}  // namespace tarvex
