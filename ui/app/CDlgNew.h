#pragma once
// "Neues Dokument erzeugen": five picture buttons, one per form (four SAD variants and the
// D.V.1). The result is the form variant of the chosen button (0-3, 99 for the D.V.1).

#include <QAbstractButton>
#include <QDialog>
#include <QImage>
#include <array>

class QPushButton;

namespace tarvex {

// A push button that shows one of three pictures: normal, pressed, focused.
class CPictureButton : public QAbstractButton {
    Q_OBJECT
public:
    CPictureButton(QImage normal, QImage pressed, QImage focused, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage m_normal, m_pressed, m_focused;
};

class CDlgNew : public QDialog {
    Q_OBJECT
public:
    static constexpr int kControlIds[5] = {1008, 1009, 1016, 1010, 1011};
    static constexpr int kResults[5] = {0, 1, 2, 3, 99};

    explicit CDlgNew(QWidget* parent = nullptr);
    int Result() const { return m_nResult; }
    CPictureButton* Button(int i) const { return m_buttons[static_cast<size_t>(i)]; }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes the result from the picture button with the keyboard focus; false when none has it.
    bool ConfirmFromFocus();

    std::array<CPictureButton*, 5> m_buttons{};
    QPushButton* m_cancel = nullptr;
    int m_nResult = -1;
};

}  // namespace tarvex
