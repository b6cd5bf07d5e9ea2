#include "ui/shell/Common_DlgInternalInfo.h"

#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVBoxLayout>

#include "core/app/InfoStrings.h"
#include "core/common/AtomicFile.h"
#include "core/common/ShellStrings.h"
#include "render/app/OutputFile.h"
#include "ui/common/QtText.h"

namespace tarvex {

std::optional<PrinterFacts> QtPrinterFacts(std::u16string_view name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(Str(name));
    if (info.isNull()) return std::nullopt;
    // The print system names the driver; a port and a print processor are Windows notions.
    return PrinterFacts{info.makeAndModel().toStdU16String(), {}, {}};
}

Common_DlgInternalInfo::Common_DlgInternalInfo(Profile& profile, int language, const QString& version,
                                               const QString& buildDate, QWidget* parent)
    : QDialog(parent),
      m_profile(profile),
      m_nLanguage(SupportLanguage(language)),
      m_reportFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {
    setObjectName(QStringLiteral("Common_DlgInternalInfo"));
    setWindowTitle(Str(infostr::kSupportTitle[m_nLanguage]));
    // The application's tooltips, wider here.
    setStyleSheet(QStringLiteral("QToolTip { max-width: 300px; }"));

    SupportSystemInfo sys;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        sys.screenWidth = screen->geometry().width();
        sys.screenHeight = screen->geometry().height();
        sys.dpi = qRound(screen->logicalDotsPerInchX());
    }
    sys.programDirectory = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdU16String();
    sys.operatingSystem =
        (QSysInfo::prettyProductName() + QStringLiteral(", Kernel ") + QSysInfo::kernelVersion())
            .toStdU16String();

    m_pSystem = new QPlainTextEdit(this);
    m_pSystem->setObjectName(QStringLiteral("ctl21104"));
    m_pSystem->setReadOnly(true);
    m_pSystem->setPlainText(QString::fromStdU16String(SupportSystemText(m_nLanguage, sys))
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_pSystem->setToolTip(Str(infostr::kTipSystem[m_nLanguage]));
    // Three lines, and as wide as the longest of them.
    const QFontMetrics sysMetrics(m_pSystem->font());
    const int margins = 2 * m_pSystem->frameWidth() + 2 * int(m_pSystem->document()->documentMargin()) + 6;
    m_pSystem->setFixedHeight(sysMetrics.lineSpacing() * 3 + margins);
    int widest = 0;
    for (const QString& line : m_pSystem->toPlainText().split(QLatin1Char('\n')))
        widest = std::max(widest, sysMetrics.horizontalAdvance(line));
    m_pSystem->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pSystem->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_pVersion = new QLineEdit(this);
    m_pVersion->setObjectName(QStringLiteral("ctl21106"));
    m_pVersion->setReadOnly(true);
    m_pVersion->setText(QString::fromStdU16String(
        SupportVersionLine(infostr::kProgramTitle, version.toStdU16String(), buildDate.toStdU16String())));
    m_pVersion->setCursorPosition(0);
    m_pVersion->setToolTip(Str(infostr::kTipVersion[m_nLanguage]));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setToolTip(Str(infostr::kTipOK[m_nLanguage]));
    ok->setDefault(true);
    m_pSave = buttons->addButton(Str(infostr::kSaveButton[m_nLanguage]), QDialogButtonBox::ActionRole);
    m_pSave->setObjectName(QStringLiteral("ctl21103"));
    m_pSave->setToolTip(Str(infostr::kTipSave[m_nLanguage]));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pSave, &QPushButton::clicked, this, &Common_DlgInternalInfo::OnSave);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pSystem);
    layout->addWidget(m_pVersion);
    layout->addWidget(buttons);
    // Wide enough for the program folder and the version line.
    const QFontMetrics fm(font());
    setMinimumWidth(std::max({460, fm.horizontalAdvance(m_pVersion->text()) + 60, widest + 60}));
}

QString Common_DlgInternalInfo::SystemText() const {
    return m_pSystem->toPlainText();
}

QString Common_DlgInternalInfo::VersionLine() const {
    return m_pVersion->text();
}

QString Common_DlgInternalInfo::ReportPath() const {
    return QDir(m_reportFolder)
        .absoluteFilePath(QString::fromStdU16String(SupportReportFileName(m_nLanguage, shellstr::kAppTitle)));
}

std::u16string Common_DlgInternalInfo::ReportText() const {
    SupportReportInput in;
    in.language = m_nLanguage;
    in.profileName = shellstr::kAppTitle;
    const QDate today = QDate::currentDate();
    in.day = today.day();
    in.month = today.month();
    in.year = today.year();
    in.versionLine = m_pVersion->text().toStdU16String();
    in.systemText =
        m_pSystem->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdU16String();
    in.printerFacts = QtPrinterFacts;
    return BuildSupportReport(in, m_profile);
}

bool Common_DlgInternalInfo::WriteReport(QString& path) const {
    path = QDir::toNativeSeparators(ReportPath());
    QDir().mkpath(m_reportFolder);
    const std::vector<uint8_t> bytes = EncodeUtf16LeWithBom(ReportText());
    std::string error;
    return WriteFileAtomic(NativePath(ReportPath()), bytes, error);
}

void Common_DlgInternalInfo::OnSave() {
    QString path;
    const bool ok = WriteReport(path);
    const QString text =
        QString::fromStdU16String(ok ? SupportSavedMessage(m_nLanguage, path.toStdU16String())
                                     : SupportFailedMessage(m_nLanguage, path.toStdU16String()))
            .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (m_showMessage) {
        m_showMessage(text, ok);
    } else {
        QMessageBox box(ok ? QMessageBox::NoIcon : QMessageBox::Critical, Str(shellstr::kAppTitle), text,
                        QMessageBox::Ok, this);
        box.exec();
    }
    // Written or not, the dialog has done its part.
    accept();
}

}  // namespace tarvex
