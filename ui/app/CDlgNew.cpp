#include "ui/app/CDlgNew.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/ShellStrings.h"
#include "ui/app/FormDocument.h"

namespace tarvex {
namespace {

// Bitmaps 338/342/343 (SAD) and 341/339/340 (D.V.1): a small form sheet, pressed and focused.
QImage FormPicture(QColor band, int state) {
    const int w = 44, h = 30;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(state == 1 ? QColor(200, 200, 205) : QColor(236, 236, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int shift = state == 1 ? 1 : 0;
    p.setPen(QPen(QColor(90, 90, 100), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12.5 + shift, 2.5 + shift, 19, 25));
    p.fillRect(QRectF(13 + shift, 6 + shift, 18, 4), band);
    p.setPen(QPen(QColor(160, 160, 170), 1));
    for (int y = 14; y <= 24; y += 3) p.drawLine(15 + shift, y + shift, 29 + shift, y + shift);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(state == 1 ? QColor(80, 80, 80) : QColor(150, 150, 150), 1));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    if (state == 2) {
        p.setPen(QPen(QColor(0, 90, 200), 2));
        p.drawRect(QRectF(1.5, 1.5, w - 3, h - 3));
    }
    p.end();
    return image;
}

}  // namespace

CPictureButton::CPictureButton(QImage normal, QImage pressed, QImage focused, QWidget* parent)
    : QAbstractButton(parent),
      m_normal(std::move(normal)),
      m_pressed(std::move(pressed)),
      m_focused(std::move(focused)) {
    setFocusPolicy(Qt::StrongFocus);
    // Sized to its picture.
    setFixedSize(m_normal.size());
}

QSize CPictureButton::sizeHint() const {
    return m_normal.size();
}

void CPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, isDown() ? m_pressed : hasFocus() ? m_focused : m_normal);
}

CDlgNew::CDlgNew(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf16(shellstr::kNewDlgTitle367));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf16(shellstr::kNewDlgHeading), this));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    for (const CFormTemplate* form : FormTemplates()) {
        const QColor band = QColor::fromRgb(form->newPictureBand);
        for (const NewDialogEntry& entry : form->newEntries) {
            const int row = static_cast<int>(m_buttons.size());
            auto* button =
                new CPictureButton(FormPicture(band, 0), FormPicture(band, 1), FormPicture(band, 2), this);
            button->setObjectName(QStringLiteral("button%1").arg(entry.controlId));
            const QString caption = QString::fromUtf16(entry.caption);
            button->setAccessibleName(caption);
            auto* label = new QLabel(caption, this);
            label->setBuddy(button);
            grid->addWidget(button, row, 0);
            grid->addWidget(label, row, 1);
            const int result = entry.result;
            connect(button, &QAbstractButton::clicked, this, [this, result] {
                m_nResult = result;
                accept();
            });
            m_buttons.push_back({button, result});
        }
    }
    layout->addLayout(grid);
    auto* row = new QHBoxLayout;
    row->addStretch();
    m_cancel = new QPushButton(QString::fromUtf16(shellstr::kCancel), this);
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    row->addWidget(m_cancel);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_buttons.front().button->setFocus();
}

bool CDlgNew::ConfirmFromFocus() {
    for (const Entry& entry : m_buttons) {
        if (entry.button->hasFocus()) {
            m_nResult = entry.result;
            accept();
            return true;
        }
    }
    return false;
}

void CDlgNew::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (ConfirmFromFocus()) return;
        // Enter on "Abbruch" is that button's own command; anywhere else the dialog stays open.
        if (m_cancel->hasFocus()) reject();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tarvex
