#include "ui/formview/CDlgDrucken.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/formview/FormViewStrings.h"
#include "core/formview/PrintCorrections.h"

namespace tarvex {
namespace {

// A small sheet of paper with text lines, upright or lying, for the orientation pictures.
QPixmap OrientationPicture(bool portrait, bool active) {
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF sheet = portrait ? QRectF(9, 2, 22, 34) : QRectF(2, 9, 34, 22);
    p.setPen(QPen(active ? Qt::black : Qt::gray, 1.2));
    p.setBrush(active ? Qt::white : QColor(235, 235, 235));
    p.drawRect(sheet);
    p.setPen(QPen(active ? QColor(0, 0, 160) : Qt::gray, 1));
    for (double y = sheet.top() + 5; y < sheet.bottom() - 3; y += 4)
        p.drawLine(QPointF(sheet.left() + 4, y), QPointF(sheet.right() - 4, y));
    return pm;
}

}  // namespace

CDlgDrucken::CDlgDrucken(int kind, int pageCount, const QString& device, bool portrait, bool reuse,
                         QWidget* parent)
    : QDialog(parent) {
    m_nKind = kind;
    m_nPage = pageCount;
    m_strDevice = device;
    m_bPortrait = portrait;
    m_bReuse = reuse ? 1 : 0;
    m_strTitle = QString::fromStdU16String(PrintDialogCaption(kind));
    m_nDlgHelpContext = PrintDialogHelpContext(kind);
    setWindowTitle(m_strTitle);

    auto* layout = new QVBoxLayout(this);
    auto* printerBox = new QGroupBox(QString::fromUtf16(formviewstr::kPrinterGroup));
    auto* pg = new QGridLayout(printerBox);
    auto* name = new QLabel(device);
    name->setObjectName(QStringLiteral("device"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    pg->addWidget(name, 0, 0, 1, 3);
    pg->addWidget(new QLabel(QString::fromUtf16(formviewstr::kOrientation)), 1, 0);
    auto* pictures = new QHBoxLayout;
    auto* upright = new QLabel;
    upright->setPixmap(OrientationPicture(true, portrait));
    auto* lying = new QLabel;
    lying->setPixmap(OrientationPicture(false, !portrait));
    pictures->addWidget(upright);
    pictures->addWidget(lying);
    pictures->addStretch();
    pg->addLayout(pictures, 1, 1);
    m_reuse = new QCheckBox(QString::fromUtf16(formviewstr::kReusePrinter));
    m_reuse->setChecked(reuse);
    m_reuse->setToolTip(QString::fromUtf16(formviewstr::kTipReusePrinter));
    pg->addWidget(m_reuse, 2, 0, 1, 2);
    auto* choose = new QPushButton(QString::fromUtf16(formviewstr::kChoosePrinter));
    choose->setToolTip(QString::fromUtf16(formviewstr::kTipChoosePrinter));
    choose->setAutoDefault(false);
    pg->addWidget(choose, 2, 2);
    layout->addWidget(printerBox);

    auto* jobBox = new QGroupBox(QString::fromUtf16(formviewstr::kPrintJobGroup));
    auto* jg = new QGridLayout(jobBox);
    m_pages = new QComboBox;
    for (const auto& entry : PrintPageEntries(kind, pageCount))
        m_pages->addItem(QString::fromStdU16String(entry));
    m_pages->setToolTip(QString::fromUtf16(formviewstr::kTipPrintPage));
    jg->addWidget(m_pages, 0, 0, 1, 2);
    m_copies = new QLineEdit(QStringLiteral("1"));
    m_copies->setMaxLength(1);
    m_copies->setToolTip(QString::fromUtf16(formviewstr::kTipCopies));
    auto* copiesLabel = new QLabel(QString::fromUtf16(formviewstr::kCopiesLabel));
    copiesLabel->setBuddy(m_copies);
    jg->addWidget(copiesLabel, 1, 0);
    jg->addWidget(m_copies, 1, 1);
    layout->addWidget(jobBox);

    auto* box = new QDialogButtonBox;
    auto* ok = box->addButton(QString::fromUtf16(formviewstr::kBtnOK), QDialogButtonBox::AcceptRole);
    auto* cancel = box->addButton(QString::fromUtf16(formviewstr::kBtnAbbruch), QDialogButtonBox::RejectRole);
    auto* help = box->addButton(QString::fromUtf16(formviewstr::kBtnHilfe), QDialogButtonBox::HelpRole);
    ok->setToolTip(QString::fromUtf16(formviewstr::kTipPrintOK));
    cancel->setToolTip(QString::fromUtf16(formviewstr::kTipCancel));
    help->setToolTip(QString::fromUtf16(formviewstr::kTipHelp));
    ok->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CDlgDrucken::helpRequested);
    connect(choose, &QPushButton::clicked, this, [this] {
        m_bChoosePrinter = 1;
        reject();
    });
    layout->addWidget(box);
    m_pages->setFocus();
}

void CDlgDrucken::accept() {
    bool ok = false;
    const int copies = m_copies->text().trimmed().toInt(&ok);
    if (!ok || copies < 1 || copies > 9) {
        QMessageBox::warning(this, m_strTitle, QString::fromUtf16(formviewstr::kCopiesOutOfRange));
        m_copies->setFocus();
        m_copies->selectAll();
        return;
    }
    m_nCopies = copies;
    m_nPage = m_pages->currentIndex() + 1;
    m_bReuse = m_reuse->isChecked() ? 1 : 0;
    QDialog::accept();
}

}  // namespace tarvex
