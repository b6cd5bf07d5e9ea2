#include "ui/sad/dialogs/CDlgFeld47Base.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/HelpContexts.h"
#include "core/sad/Box47.h"
#include "core/sad/SadEditStrings.h"
#include "ui/common/QtText.h"
#include "ui/sad/dialogs/CDlgZollArten.h"

namespace tarvex {
namespace {
QString AmountMessage(Feld47AmountCheck check) {
    return Str(check == Feld47AmountCheck::TooLarge ? sadeditstr::kMsgAmountTooLarge
                                                    : sadeditstr::kMsgAmountInvalid);
}
}  // namespace

CDlgFeld47Base::CDlgFeld47Base(QWidget* parent, int columns, int amountColumn, int methodColumn,
                               const QString& title, const QStringList& headers, const QString& totalLabel,
                               const std::vector<int>& widths)
    : QDialog(parent), m_nColumns(columns), m_nAmountColumn(amountColumn), m_nMethodColumn(methodColumn) {
    setWindowTitle(title);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int c = 0; c < columns; ++c) grid->addWidget(new QLabel(headers.value(c), this), 0, c);
    const QString tips[5] = {Str(sadeditstr::kTipType), Str(sadeditstr::kTipBase), Str(sadeditstr::kTipRate),
                             Str(sadeditstr::kTipAmount), Str(sadeditstr::kTipMethod)};
    for (int r = 0; r < kFeld47Rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto* edit = new QLineEdit(this);
            edit->setObjectName(QString("edit%1").arg(1000 + columns * r + c));
            edit->setFixedWidth(widths[static_cast<size_t>(c)]);
            // The limits keep every text within what its printed cell holds.
            edit->setMaxLength(Feld47MaxLength(Feld47ColumnOf(c, columns)));
            if (c == amountColumn) edit->setAlignment(Qt::AlignRight);
            // Column kinds: type, then (base, rate) only in the item table, amount, method.
            const int kind = c == 0 ? 0 : c == amountColumn ? 3 : c == methodColumn ? 4 : c;
            edit->setToolTip(tips[kind]);
            edit->installEventFilter(this);
            grid->addWidget(edit, r + 1, c);
            m_cells.push_back(edit);
        }
    }
    m_pTotal = new QLineEdit(this);
    m_pTotal->setObjectName(QString("edit%1").arg(1000 + columns * kFeld47Rows));
    m_pTotal->setReadOnly(true);
    m_pTotal->setFocusPolicy(Qt::NoFocus);
    m_pTotal->setAlignment(Qt::AlignRight);
    m_pTotal->setFixedWidth(widths[static_cast<size_t>(amountColumn)]);
    m_pTotal->setToolTip(Str(sadeditstr::kTipTotal));
    auto* totalCaption = new QLabel(totalLabel, this);
    grid->addWidget(totalCaption, kFeld47Rows + 1, amountColumn - 1, Qt::AlignRight);
    grid->addWidget(m_pTotal, kFeld47Rows + 1, amountColumn);

    auto* ok = new QPushButton(Str(sadeditstr::kBtnOK), this);
    ok->setDefault(true);
    ok->setToolTip(Str(sadeditstr::kTipOK));
    auto* cancel = new QPushButton(Str(sadeditstr::kBtnAbbruch), this);
    cancel->setToolTip(Str(sadeditstr::kTipCancel));
    auto* help = new QPushButton(Str(sadeditstr::kBtnHilfe), this);
    help->setToolTip(Str(sadeditstr::kTipHelp));
    m_pTypeList = new QPushButton(Str(sadeditstr::kBtnVorgaben), this);
    m_pTypeList->setObjectName("button1038");
    m_pTypeList->setToolTip(Str(sadeditstr::kTipVorgaben));
    for (QPushButton* b : {ok, cancel, help, m_pTypeList}) b->setAutoDefault(false);
    ok->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    buttons->addSpacing(12);
    buttons->addWidget(m_pTypeList);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit helpRequested(help::SadBox(47)); });
    connect(m_pTypeList, &QPushButton::clicked, this, &CDlgFeld47Base::OpenTypeList);
    m_pF2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(m_pF2, &QShortcut::activated, this, [this] {
        if (m_bTypeListEnabled) OpenTypeList();
    });

    m_runTypeList = [this](QString& code) {
        CDlgZollArten dlg(this);
        dlg.SetCode(code);
        if (dlg.exec() != QDialog::Accepted) return false;
        code = dlg.Code();
        return true;
    };
    m_showMessage = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    SetTypeListEnabled(false);
}

QLineEdit* CDlgFeld47Base::Cell(int row, int column) const {
    if (row < 0 || row >= kFeld47Rows || column < 0 || column >= m_nColumns) return nullptr;
    return m_cells[static_cast<size_t>(row * m_nColumns + column)];
}

void CDlgFeld47Base::SetValues(const std::vector<std::u16string>& values) {
    std::vector<std::u16string> v = values;
    NormaliseDutyTable(v, m_nColumns, m_nAmountColumn);
    for (size_t i = 0; i < m_cells.size(); ++i) {
        // A longer text from an older document is shown whole, for the clerk to shorten; the
        // edit would otherwise cut it.
        const QString text = QString::fromStdU16String(v[i]);
        const int limit = Feld47MaxLength(Feld47ColumnOf(static_cast<int>(i), m_nColumns));
        m_cells[i]->setMaxLength(std::max<int>(limit, static_cast<int>(text.size())));
        m_cells[i]->setText(text);
    }
    m_pTotal->setText(QString::fromStdU16String(v.back()));
}

std::vector<std::u16string> CDlgFeld47Base::Values() {
    // An amount still being typed when OK is pressed is normalised like any other, so that the
    // total stored with the table always agrees with its amounts.
    for (int r = 0; r < kFeld47Rows; ++r) NormaliseCell(r);
    UpdateTotal();
    std::vector<std::u16string> v;
    for (QLineEdit* e : m_cells) v.push_back(e->text().toStdU16String());
    v.push_back(m_pTotal->text().toStdU16String());
    return v;
}

Feld47AmountCheck CDlgFeld47Base::NormaliseCell(int row) {
    QLineEdit* cell = Cell(row, m_nAmountColumn);
    // A typed amount that is no number or too large stays as it is, for the user to correct.
    const std::u16string text = cell->text().toStdU16String();
    const Feld47AmountCheck check = CheckFeld47Amount(text);
    if (check != Feld47AmountCheck::Ok) return check;
    const QString normal = QString::fromStdU16String(FormatAmount(*ParseAmount(text)));
    if (cell->text() != normal) cell->setText(normal);
    return check;
}

void CDlgFeld47Base::accept() {
    for (int r = 0; r < kFeld47Rows; ++r) {
        const Feld47AmountCheck check = CheckFeld47Amount(Cell(r, m_nAmountColumn)->text().toStdU16String());
        if (check != Feld47AmountCheck::Ok) {
            m_showMessage(AmountMessage(check));
            Cell(r, m_nAmountColumn)->setFocus();
            Cell(r, m_nAmountColumn)->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void CDlgFeld47Base::UpdateTotal() {
    std::vector<std::u16string> v;
    for (QLineEdit* e : m_cells) v.push_back(e->text().toStdU16String());
    // An amount that is no number or too large does not count until it is corrected.
    for (int r = 0; r < kFeld47Rows; ++r) {
        std::u16string& amount = v[static_cast<size_t>(r * m_nColumns + m_nAmountColumn)];
        if (CheckFeld47Amount(amount) != Feld47AmountCheck::Ok) amount.clear();
    }
    m_pTotal->setText(QString::fromStdU16String(DutyTableTotal(v, m_nColumns, m_nAmountColumn)));
}

void CDlgFeld47Base::CheckMethod(int row) {
    const std::u16string type = Cell(row, 0)->text().toStdU16String();
    const std::u16string method = Cell(row, m_nMethodColumn)->text().toStdU16String();
    if (!PaymentMethodAccepted(type, method)) m_showMessage(Str(sadeditstr::kMsgPaymentMethod));
}

void CDlgFeld47Base::SetTypeListEnabled(bool enabled) {
    m_bTypeListEnabled = enabled;
    m_pTypeList->setEnabled(enabled);
    m_pF2->setEnabled(enabled);
}

void CDlgFeld47Base::OpenTypeList() {
    const int row = m_nTypeRow;
    QString code = Cell(row, 0)->text();
    if (!m_runTypeList(code)) return;
    Cell(row, 0)->setText(code);
    Cell(row, 1)->setFocus();
}

bool CDlgFeld47Base::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const auto it = std::find(m_cells.begin(), m_cells.end(), watched);
        if (it != m_cells.end()) {
            const int index = static_cast<int>(it - m_cells.begin());
            const int row = index / m_nColumns, column = index % m_nColumns;
            if (event->type() == QEvent::FocusIn) {
                if (column == 0) m_nTypeRow = row;
                // The type list stays usable while its button is pressed.
                SetTypeListEnabled(column == 0);
            } else if (column == m_nAmountColumn) {
                const Feld47AmountCheck check = NormaliseCell(row);
                UpdateTotal();
                // Once the message is read, the keyboard goes back to the reported cell, so
                // that the correction lands there and not in the cell the focus went on to.
                if (check != Feld47AmountCheck::Ok)
                    QMetaObject::invokeMethod(
                        this,
                        [this, check, row] {
                            if (!isVisible()) return;
                            m_showMessage(AmountMessage(check));
                            QLineEdit* cell = Cell(row, m_nAmountColumn);
                            cell->setFocus(Qt::OtherFocusReason);
                            cell->selectAll();
                        },
                        Qt::QueuedConnection);
            } else if (column == m_nMethodColumn) {
                // Shown once the focus has moved on, not in the middle of the focus change.
                QMetaObject::invokeMethod(
                    this, [this, row] { CheckMethod(row); }, Qt::QueuedConnection);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvex
