#pragma once
// "Neues Dokument erzeugen": one picture button per entry of the registered forms (the four SAD
// variants and the D.V.1). The result is the form variant of the chosen button (0-3, 99 for the
// D.V.1).

#include <QAbstractButton>
#include <QDialog>
#include <QImage>
#include <vector>

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
    explicit CDlgNew(QWidget* parent = nullptr);
    int Result() const { return m_nResult; }
    CPictureButton* Button(int i) const { return m_buttons[static_cast<size_t>(i)].button; }
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    QPushButton* CancelButton() const { return m_cancel; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Takes the result from the picture button with the keyboard focus; false when none has it.
    bool ConfirmFromFocus();

    struct Entry {
        CPictureButton* button;
        int result;
    };
    std::vector<Entry> m_buttons;
    QPushButton* m_cancel = nullptr;
    int m_nResult = -1;
};

}  // namespace tarvex
