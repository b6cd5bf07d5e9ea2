#include "ui/shell/CAboutDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/app/InfoStrings.h"
#include "ui/common/QtText.h"
#include "ui/shell/InfoPictures.h"

namespace tarvex {
namespace {

// Tooltips with a label and a description, as the program's enhanced tooltips show them.
QString Tip(const QString& label, const QString& text) {
    return QStringLiteral("<b>%1</b><br>%2").arg(label.toHtmlEscaped(), text.toHtmlEscaped());
}

}  // namespace

CAboutDlg::CAboutDlg(const QString& version, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(Str(infostr::kAboutTitle));
    // The application's tooltips, wider here.
    setStyleSheet(QStringLiteral("QToolTip { max-width: 300px; }"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ctl314"));
    picture->setPixmap(QPixmap::fromImage(AboutPicture()));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_pVersion = new QLabel(Str(infostr::kAboutVersion16).arg(version), this);
    m_pVersion->setObjectName(QStringLiteral("ctl1001"));
    QFont bold = m_pVersion->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_pVersion->setFont(bold);
    auto* notice = new QLabel(Str(infostr::kPublisherNotice), this);
    notice->setObjectName(QStringLiteral("ctl1002"));
    auto* mail = new QLabel(Str(infostr::kPublisherMail), this);
    mail->setObjectName(QStringLiteral("ctl1003"));

    auto* contact = new QPlainTextEdit(this);
    contact->setObjectName(QStringLiteral("ctl1000"));
    contact->setReadOnly(true);
    QString block = Str(infostr::kContactBlock) + Str(infostr::kInternetPrefix) + Str(infostr::kWebAddress);
    contact->setPlainText(block.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    contact->setMinimumHeight(contact->fontMetrics().lineSpacing() * 12 + 2 * contact->frameWidth() + 12);

    const QString web = Str(infostr::kWebAddress);
    m_pLink = new QPushButton(web, this);
    m_pLink->setObjectName(QStringLiteral("ctl32801"));
    m_pLink->setFlat(true);
    m_pLink->setCursor(Qt::PointingHandCursor);
    m_pLink->setStyleSheet(
        QStringLiteral("QPushButton { color: rgb(0,0,255); text-decoration: underline; }"));
    m_pLink->setAutoDefault(false);
    m_pLink->setToolTip(Tip(Str(infostr::kTipLinkLabel).replace(QStringLiteral("%s"), web),
                            Str(infostr::kTipLinkText269).replace(QStringLiteral("%s"), web)));
    connect(m_pLink, &QPushButton::clicked, this, [this] {
        // The dialog is gone before the browser starts.
        accept();
        if (m_openHomepage) m_openHomepage();
    });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setDefault(true);
    ok->setToolTip(Tip(Str(infostr::kTipOkLabel256), Str(infostr::kTipOkText258)));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    m_pSysInfo = new QPushButton(Str(infostr::kAboutSysInfo), this);
    m_pSysInfo->setObjectName(QStringLiteral("ctl1005"));
    m_pSysInfo->setAutoDefault(false);
    m_pSysInfo->setToolTip(Tip(Str(infostr::kTipSysInfoLabel265), Str(infostr::kTipSysInfoText266)));
    connect(m_pSysInfo, &QPushButton::clicked, this, [this] {
        if (m_showSupportInfo) m_showSupportInfo();
        accept();
    });

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_pVersion);
    texts->addWidget(notice);
    texts->addWidget(mail);
    texts->addSpacing(6);
    texts->addWidget(contact, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pLink);
    buttons->addStretch(1);
    buttons->addWidget(m_pSysInfo);
    buttons->addWidget(ok);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picture, 0, 0, Qt::AlignTop);
    grid->addLayout(texts, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    setMinimumWidth(560);
}

QString CAboutDlg::VersionText() const {
    return m_pVersion->text();
}

void CAboutDlg::paintEvent(QPaintEvent* event) {
    // Without a title bar the window draws its own edge.
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tarvex
