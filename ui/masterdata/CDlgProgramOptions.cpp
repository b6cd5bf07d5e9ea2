#include "ui/masterdata/CDlgProgramOptions.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/common/ShellStrings.h"
#include "core/masterdata/MasterDataStrings.h"
#include "ui/common/QtText.h"
#include "ui/masterdata/MasterDataHost.h"

namespace tarvex {

namespace {

QString Tip(const char16_t* title, const char16_t* text) {
    return QStringLiteral("<b>%1</b><br>%2")
        .arg(Str(title).toHtmlEscaped(),
             Str(text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
}

}  // namespace

CDlgProgramOptions::CDlgProgramOptions(Profile& profile, const std::filesystem::path& dataFolder,
                                       QWidget* parent)
    : QDialog(parent),
      m_profile(profile),
      m_dataFolder(dataFolder),
      m_options(ReadProgramOptions(profile, dataFolder)) {
    setWindowTitle(Str(mdstr::kOptionsTitle));
    auto* sad = new QGroupBox(Str(mdstr::kGroupSad), this);
    auto* grid = new QGridLayout(sad);
    // Access keys: the labels lead to their paths, each "Initialisierung" has a letter of its own.
    auto row = [&](int r, const QString& label, const std::u16string& path, QLineEdit*& edit,
                   QPushButton*& init, const QString& initText, QLabel*& mark, const char16_t* tipTitle,
                   const char16_t* tip) {
        auto* caption = new QLabel(label, sad);
        grid->addWidget(caption, r, 0, 1, 4);
        edit = new QLineEdit(Str(path), sad);
        caption->setBuddy(edit);
        edit->setToolTip(Tip(tipTitle, tip));
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 56);
        auto* browse = new QPushButton(Str(mdstr::kBrowse), sad);
        browse->setToolTip(Tip(mdstr::kTipBrowseTitle, mdstr::kTipBrowse));
        init = new QPushButton(initText, sad);
        init->setToolTip(Tip(mdstr::kTipInitTitle, mdstr::kTipInit));
        mark = new QLabel(sad);
        mark->setFixedSize(20, 20);
        grid->addWidget(edit, r + 1, 0);
        grid->addWidget(browse, r + 1, 1);
        grid->addWidget(init, r + 1, 2);
        grid->addWidget(mark, r + 1, 3);
        connect(browse, &QPushButton::clicked, this, [this, e = edit] { Browse(e); });
    };
    row(0, AccessKeyText(mdstr::kLabelAddressFile, u'A'), m_options.addressPath, m_addressPath,
        m_initAddresses, AccessKeyText(mdstr::kInitialise, u'I'), m_addressMark, mdstr::kTipAddressFileTitle,
        mdstr::kTipAddressFile);
    row(2, AccessKeyText(mdstr::kLabelArticleFile, u'W'), m_options.articlePath, m_articlePath,
        m_initArticles, AccessKeyText(mdstr::kInitialise, u'n'), m_articleMark, mdstr::kTipArticleFileTitle,
        mdstr::kTipArticleFile);
    grid->setColumnStretch(0, 1);
    connect(m_initAddresses, &QPushButton::clicked, this, [this] { AskInitialise(true); });
    connect(m_initArticles, &QPushButton::clicked, this, [this] { AskInitialise(false); });
    ShowMark(m_addressMark, false);
    ShowMark(m_articleMark, false);

    auto* print = new QGroupBox(Str(mdstr::kGroupPrint), this);
    auto* printLayout = new QVBoxLayout(print);
    m_paperCheck = new QCheckBox(AccessKeyText(mdstr::kPaperCheck, u'P'), print);
    m_paperCheck->setChecked(m_options.paperCheck);
    m_paperCheck->setToolTip(Tip(mdstr::kTipPaperCheckTitle, mdstr::kTipPaperCheck));
    printLayout->addWidget(m_paperCheck);

    auto* box = new QDialogButtonBox(this);
    auto* ok = box->addButton(AccessKeyText(mdstr::kOk, u'O'), QDialogButtonBox::AcceptRole);
    ok->setToolTip(Str(mdstr::kTipOptionsOk));
    auto* cancel = box->addButton(AccessKeyText(mdstr::kCancel, u'b'), QDialogButtonBox::RejectRole);
    cancel->setToolTip(Str(mdstr::kTipCancelNoSave));
    auto* help = box->addButton(AccessKeyText(mdstr::kHelp, u'H'), QDialogButtonBox::HelpRole);
    help->setToolTip(Str(mdstr::kTipHelp));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, &CDlgProgramOptions::helpRequested);

    auto* top = new QVBoxLayout(this);
    top->addWidget(sad);
    top->addWidget(print);
    top->addStretch(1);
    top->addWidget(box);
}

void CDlgProgramOptions::ShowMark(QLabel* mark, bool chosen) {
    // Beside the button: chosen (a tick) or not chosen (a cross), in the same place.
    const QIcon icon =
        style()->standardIcon(chosen ? QStyle::SP_DialogApplyButton : QStyle::SP_DialogCancelButton);
    mark->setPixmap(icon.pixmap(16, 16, chosen ? QIcon::Normal : QIcon::Disabled));
}

void CDlgProgramOptions::Browse(QLineEdit* edit) {
    QFileDialog dialog(this, Str(mdstr::kFileDialogTitle),
                       QString::fromStdU16String(m_dataFolder.u16string()));
    dialog.setNameFilter(Str(mdstr::kFileDialogFilter));
    dialog.setDefaultSuffix(QStringLiteral("dbf"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const bool ok = m_runFileDialog ? m_runFileDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (ok && !dialog.selectedFiles().isEmpty())
        edit->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void CDlgProgramOptions::AskInitialise(bool addresses) {
    const QString text = Str(addresses ? mdstr::kAskInitAddresses : mdstr::kAskInitArticles);
    bool yes = false;
    if (m_ask) {
        yes = m_ask(text);
    } else {
        QMessageBox box(QMessageBox::Warning, Str(shellstr::kAppTitle), text,
                        QMessageBox::Yes | QMessageBox::No, this);
        box.button(QMessageBox::Yes)->setText(AccessKeyText(mdstr::kYes, u'J'));
        box.button(QMessageBox::No)->setText(AccessKeyText(mdstr::kNo, u'N'));
        yes = box.exec() == QMessageBox::Yes;
    }
    (addresses ? m_options.initAddresses : m_options.initArticles) = yes;
    ShowMark(addresses ? m_addressMark : m_articleMark, yes);
}

void CDlgProgramOptions::accept() {
    m_options.addressPath = m_addressPath->text().trimmed().toStdU16String();
    m_options.articlePath = m_articlePath->text().trimmed().toStdU16String();
    m_options.paperCheck = m_paperCheck->isChecked();
    for (const CTableError& e : ApplyProgramOptions(m_profile, m_options, m_dataFolder))
        ShowTableError(this, e);
    QDialog::accept();
}

}  // namespace tarvex
