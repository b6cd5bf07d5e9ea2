#include "ui/masterdata/CDlgCsvImport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/AtomicFile.h"
#include "core/common/TextCodec.h"
#include "core/masterdata/MasterDataStrings.h"
#include "core/masterdata/MasterDataText.h"
#include "ui/common/QtText.h"
#include "ui/masterdata/MasterDataHost.h"

namespace tarvex {
namespace {

constexpr int kPreviewRows = 20;
constexpr CsvEncoding kEncodings[] = {CsvEncoding::Utf8, CsvEncoding::Utf8Bom, CsvEncoding::Windows1252};
constexpr char16_t kSeparators[] = {u';', u',', u'\t'};

// A progress dialog that shows itself only for files that take a while.
class CProgress {
public:
    CProgress(QWidget* parent, const char16_t* text) : m_dialog(Str(text), QString(), 0, 1000, parent) {
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(400);
        m_dialog.setCancelButton(nullptr);
        m_dialog.setValue(0);
    }
    void operator()(int64_t done, int64_t total) {
        m_dialog.setValue(total > 0 ? static_cast<int>(std::min<int64_t>(1000, done * 1000 / total)) : 1000);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    QProgressDialog m_dialog;
};

}  // namespace

CDlgCsvImport::CDlgCsvImport(CdBaseDocument& table, std::string bytes, const QString& fileName,
                             QWidget* parent)
    : QDialog(parent), m_table(table), m_bytes(std::move(bytes)), m_fileName(fileName) {
    setWindowTitle(Str(mdstr::kCsvImportTitle) + QStringLiteral(" - ") + QFileInfo(fileName).fileName());
    for (int i = 0; i < m_table.GetFieldCount(); ++i) {
        std::u16string name;
        char type = 0;
        uint16_t length = 0, decimals = 0;
        m_table.GetFieldInfo(i, name, type, length, decimals);
        m_fieldNames.push_back(name);
    }
    m_encoding = new QComboBox(this);
    for (CsvEncoding e : kEncodings) m_encoding->addItem(Str(CsvEncodingName(e)));
    m_separator = new QComboBox(this);
    for (const char16_t* s : {mdstr::kCsvSemicolon, mdstr::kCsvComma, mdstr::kCsvTab})
        m_separator->addItem(Str(s));
    auto* form = new QFormLayout;
    auto* encodingLabel = new QLabel(Str(mdstr::kCsvEncodingLabel), this);
    encodingLabel->setBuddy(m_encoding);
    auto* separatorLabel = new QLabel(Str(mdstr::kCsvSeparatorLabel), this);
    separatorLabel->setBuddy(m_separator);
    form->addRow(encodingLabel, m_encoding);
    form->addRow(separatorLabel, m_separator);
    m_previewLabel = new QLabel(this);
    m_previewLabel->setWordWrap(true);
    m_preview = new QTableWidget(this);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cut = new QCheckBox(Str(mdstr::kCsvCutLabel), this);
    m_import = new QPushButton(Str(mdstr::kCsvImportButton), this);
    m_import->setDefault(true);
    auto* cancel = new QPushButton(AccessKeyText(mdstr::kCancel, u'A'), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cut);
    buttons->addStretch(1);
    buttons->addWidget(m_import);
    buttons->addWidget(cancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(m_previewLabel);
    top->addWidget(m_preview, 1);
    top->addLayout(buttons);
    resize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 110, fontMetrics().lineSpacing() * 30);

    // What the file itself tells comes first; the boxes change it.
    m_file = ReadCsvFile(m_bytes, std::nullopt, std::nullopt);
    m_encoding->setCurrentIndex(static_cast<int>(
        std::find(std::begin(kEncodings), std::end(kEncodings), m_file.encoding) - std::begin(kEncodings)));
    m_separator->setCurrentIndex(
        static_cast<int>(std::find(std::begin(kSeparators), std::end(kSeparators), m_file.separator) -
                         std::begin(kSeparators)));
    FillPreview();
    connect(m_encoding, &QComboBox::currentIndexChanged, this, [this] { ReadFile(); });
    connect(m_separator, &QComboBox::currentIndexChanged, this, [this] { ReadFile(); });
    connect(m_import, &QPushButton::clicked, this, [this] {
        if (RunImport()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDlgCsvImport::ReadFile() {
    m_file = ReadCsvFile(m_bytes, kEncodings[std::max(0, m_encoding->currentIndex())],
                         kSeparators[std::max(0, m_separator->currentIndex())]);
    FillPreview();
}

void CDlgCsvImport::FillPreview() {
    const int rows = m_file.rows.empty() ? 0 : static_cast<int>(m_file.rows.size()) - 1;
    const int shown = std::min(rows, kPreviewRows);
    int columns = 0;
    for (int r = 0; r <= shown && r < static_cast<int>(m_file.rows.size()); ++r)
        columns = std::max(columns, static_cast<int>(m_file.rows[static_cast<size_t>(r)].cells.size()));
    m_preview->clear();
    m_preview->setColumnCount(columns);
    m_preview->setRowCount(shown + 1);
    QStringList labels;
    for (int c = 0; c < columns; ++c) {
        const auto& header = m_file.rows.front().cells;
        labels << (c < static_cast<int>(header.size()) ? Str(header[static_cast<size_t>(c)]) : QString());
    }
    m_preview->setHorizontalHeaderLabels(labels);
    QStringList rowLabels{QString()};
    for (int r = 1; r <= shown; ++r)
        rowLabels << QString::number(r + 1);  // rows as a spreadsheet counts them
    m_preview->setVerticalHeaderLabels(rowLabels);
    std::vector<CsvImportProblem> faults;
    const CsvColumnMapping mapping = m_file.rows.empty()
                                         ? CsvColumnMapping{}
                                         : MapCsvColumns(m_table, m_file.rows.front().cells, {}, faults);
    for (int c = 0; c < columns; ++c) {
        auto* box = new QComboBox(m_preview);
        box->addItem(Str(mdstr::kCsvSkipColumn));
        for (const auto& name : m_fieldNames) box->addItem(Str(name));
        const int field =
            c < static_cast<int>(mapping.fields.size()) ? mapping.fields[static_cast<size_t>(c)] : -1;
        box->setCurrentIndex(field + 1);
        m_preview->setCellWidget(0, c, box);
    }
    for (int r = 1; r <= shown; ++r) {
        const auto& cells = m_file.rows[static_cast<size_t>(r)].cells;
        for (int c = 0; c < columns && c < static_cast<int>(cells.size()); ++c)
            m_preview->setItem(r, c, new QTableWidgetItem(Str(cells[static_cast<size_t>(c)])));
    }
    m_preview->resizeColumnsToContents();
    QString text = Str(MdArgs(mdstr::kCsvPreviewFmt, {MdNumber(shown), MdNumber(rows)}));
    // Faults of the file itself (an unclosed quote); the header's are the mapping boxes' to mend.
    for (const CsvImportProblem& p : m_file.faults) text += QStringLiteral("\n") + Str(p.Text());
    m_previewLabel->setText(text);
    m_import->setEnabled(m_file.faults.empty() && rows > 0);
}

QComboBox* CDlgCsvImport::MappingBox(int column) const {
    return qobject_cast<QComboBox*>(m_preview->cellWidget(0, column));
}

CsvColumnMapping CDlgCsvImport::Mapping() const {
    CsvColumnMapping mapping;
    if (m_file.rows.empty()) return mapping;
    mapping.header = m_file.rows.front().cells;
    mapping.fields.assign(mapping.header.size(), -1);
    for (size_t c = 0; c < mapping.header.size(); ++c)
        if (QComboBox* box = MappingBox(static_cast<int>(c))) mapping.fields[c] = box->currentIndex() - 1;
    return mapping;
}

bool CDlgCsvImport::RunImport() {
    const CsvColumnMapping mapping = Mapping();
    m_result = {};
    // Two columns into one field would leave one of them unseen.
    std::vector<int> owner(m_fieldNames.size(), -1);
    for (size_t c = 0; c < mapping.fields.size(); ++c) {
        const int f = mapping.fields[c];
        if (f < 0) continue;
        if (owner[static_cast<size_t>(f)] >= 0)
            m_result.faults.push_back(
                {1, mapping.header[c],
                 MdArgs(mdstr::kCsvDuplicateFieldFmt,
                        {m_fieldNames[static_cast<size_t>(f)],
                         mapping.header[static_cast<size_t>(owner[static_cast<size_t>(f)])]})});
        owner[static_cast<size_t>(f)] = static_cast<int>(c);
    }
    if (m_result.faults.empty()) {
        const int64_t rows = m_file.rows.empty() ? 0 : static_cast<int64_t>(m_file.rows.size()) - 1;
        const QString question = Str(
            MdArgs(mdstr::kCsvConfirmFmt, {MdNumber(rows), m_table.GetTablePath().filename().u16string()}));
        const bool yes = m_confirm ? m_confirm(question)
                                   : QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
        if (!yes) return false;
        CProgress progress(this, mdstr::kCsvReading);
        m_result = ImportCsvIntoTable(m_table, m_file, mapping, m_cut->isChecked(), std::ref(progress));
    }
    if (m_report) {
        m_report(m_result);
    } else {
        QMessageBox box(m_result.Ok() ? QMessageBox::Information : QMessageBox::Warning, windowTitle(),
                        ReportText(m_result).section(QLatin1Char('\n'), 0, 0), QMessageBox::Ok, this);
        box.setDetailedText(ReportText(m_result).section(QLatin1Char('\n'), 1));
        box.exec();
    }
    return m_result.Ok();
}

QString CDlgCsvImport::ReportText(const CsvImportResult& result) {
    QString text;
    if (result.Ok()) {
        text = Str(MdArgs(mdstr::kCsvImportedFmt, {MdNumber(result.written)}));
    } else {
        text = Str(MdArgs(
            mdstr::kCsvNothingImportedFmt,
            {MdNumber(static_cast<long long>(result.faults.size() + (result.error.empty() ? 0 : 1)))}));
        if (!result.error.empty()) text += QStringLiteral("\n") + Str(result.error);
    }
    if (!result.faults.empty()) {
        text += QStringLiteral("\n") + Str(mdstr::kCsvReportFaults);
        for (const CsvImportProblem& p : result.faults) text += QStringLiteral("\n") + Str(p.Text());
    }
    if (!result.cuts.empty()) {
        text += QStringLiteral("\n") + Str(mdstr::kCsvReportCut);
        for (const CsvImportProblem& p : result.cuts) text += QStringLiteral("\n") + Str(p.Text());
    }
    return text;
}

bool ExportTableToCsvFile(CdBaseDocument& table, QWidget* parent) {
    QString filter = Str(mdstr::kCsvExportFilter1252);
    const QString name = QFileDialog::getSaveFileName(
        parent, Str(mdstr::kCsvExportTitle), QString(),
        Str(mdstr::kCsvExportFilter1252) + QStringLiteral(";;") + Str(mdstr::kCsvExportFilterUtf8), &filter);
    if (name.isEmpty()) return false;
    CsvWriteOptions options;
    if (filter == Str(mdstr::kCsvExportFilterUtf8)) options.encoding = CsvEncoding::Utf8Bom;
    std::string bytes;
    bool ok = false;
    {
        CProgress progress(parent, mdstr::kCsvWriting);
        ok = ExportTableCsv(table, options, bytes, nullptr, std::ref(progress));
    }
    std::string error;
    if (!ok) {
        QMessageBox::warning(parent, Str(mdstr::kCsvExportTitle), Str(mdstr::kCsvReadFailed));
        return false;
    }
    if (!WriteFileAtomic(name.toStdU16String(),
                         std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), error)) {
        QMessageBox::warning(parent, Str(mdstr::kCsvExportTitle), QString::fromStdString(error));
        return false;
    }
    QMessageBox::information(
        parent, Str(mdstr::kCsvExportTitle),
        Str(MdArgs(mdstr::kCsvExportedFmt, {MdNumber(table.GetRecordCount()), name.toStdU16String()})));
    return true;
}

bool ImportCsvFileIntoTable(CdBaseDocument& table, QWidget* parent) {
    const QString name = QFileDialog::getOpenFileName(parent, Str(mdstr::kCsvImportTitle), QString(),
                                                      Str(mdstr::kCsvFileFilter));
    if (name.isEmpty()) return false;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(name.toStdU16String(), bytes, error)) {
        QMessageBox::warning(parent, Str(mdstr::kCsvImportTitle),
                             Str(MdArgs(mdstr::kCsvFileNotRead, {name.toStdU16String()})) +
                                 QStringLiteral("\n") + QString::fromStdString(error));
        return false;
    }
    CDlgCsvImport dialog(table, std::string(bytes.begin(), bytes.end()), name, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tarvex
