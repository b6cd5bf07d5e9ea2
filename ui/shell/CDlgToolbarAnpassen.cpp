#include "ui/shell/CDlgToolbarAnpassen.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/app/InfoStrings.h"
#include "core/common/ShellStrings.h"
#include "ui/common/QtText.h"

namespace tarvex {

CDlgToolbarAnpassen::CDlgToolbarAnpassen(const ToolbarLayout& layout, std::function<QIcon(int)> icon,
                                         std::function<QString(int)> text, QWidget* parent)
    : QDialog(parent), m_layout(layout), m_icon(std::move(icon)), m_text(std::move(text)) {
    setObjectName(QStringLiteral("CDlgToolbarAnpassen"));
    setWindowTitle(Str(infostr::kCustomizeTitle));

    m_pToolbars = new QComboBox(this);
    m_pToolbars->setObjectName(QStringLiteral("toolbars"));
    auto* toolbarLabel = new QLabel(Str(infostr::kToolbarLabel), this);
    toolbarLabel->setBuddy(m_pToolbars);
    auto button = [this](const char16_t* caption, const char* name) {
        auto* b = new QPushButton(Str(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* newBar = button(infostr::kNewToolbar, "new");
    QPushButton* rename = button(infostr::kRenameToolbar, "rename");
    QPushButton* remove = button(infostr::kDeleteToolbar, "delete");
    QPushButton* reset = button(infostr::kResetToolbar, "reset");

    m_pAvailable = new QListWidget(this);
    m_pAvailable->setObjectName(QStringLiteral("available"));
    m_pAvailable->addItem(MakeItem(0));
    for (int id : ToolbarCommands()) m_pAvailable->addItem(MakeItem(id));
    m_pAvailable->setCurrentRow(0);
    m_pCurrent = new QListWidget(this);
    m_pCurrent->setObjectName(QStringLiteral("current"));
    for (QListWidget* list : {m_pAvailable, m_pCurrent}) {
        list->setIconSize(QSize(20, 20));
        list->setMinimumSize(280, 340);
    }
    auto* availableLabel = new QLabel(Str(infostr::kAvailableLabel), this);
    availableLabel->setBuddy(m_pAvailable);
    auto* currentLabel = new QLabel(Str(infostr::kCurrentLabel), this);
    currentLabel->setBuddy(m_pCurrent);

    QPushButton* add = button(infostr::kAdd, "add");
    QPushButton* take = button(infostr::kRemove, "remove");
    QPushButton* up = button(infostr::kUp, "up");
    QPushButton* down = button(infostr::kDown, "down");
    auto* middle = new QVBoxLayout;
    middle->addStretch(1);
    middle->addWidget(add);
    middle->addWidget(take);
    middle->addSpacing(16);
    middle->addWidget(up);
    middle->addWidget(down);
    middle->addStretch(1);

    auto* bar = new QHBoxLayout;
    bar->addWidget(toolbarLabel);
    bar->addWidget(m_pToolbars, 1);
    bar->addWidget(newBar);
    bar->addWidget(rename);
    bar->addWidget(remove);
    bar->addWidget(reset);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(Str(infostr::kOK), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(Str(infostr::kAbbrechen), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addLayout(bar, 0, 0, 1, 3);
    grid->addWidget(availableLabel, 1, 0);
    grid->addWidget(currentLabel, 1, 2);
    grid->addWidget(m_pAvailable, 2, 0);
    grid->addLayout(middle, 2, 1);
    grid->addWidget(m_pCurrent, 2, 2);
    grid->addWidget(buttons, 3, 0, 1, 3);

    connect(m_pToolbars, &QComboBox::currentIndexChanged, this, [this] { FillCurrent(0); });
    connect(add, &QPushButton::clicked, this, &CDlgToolbarAnpassen::AddSelected);
    connect(take, &QPushButton::clicked, this, &CDlgToolbarAnpassen::RemoveSelected);
    connect(up, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(newBar, &QPushButton::clicked, this, &CDlgToolbarAnpassen::NewToolbar);
    connect(rename, &QPushButton::clicked, this, &CDlgToolbarAnpassen::RenameToolbar);
    connect(remove, &QPushButton::clicked, this, &CDlgToolbarAnpassen::DeleteToolbar);
    connect(reset, &QPushButton::clicked, this, &CDlgToolbarAnpassen::ResetToolbar);
    connect(m_pAvailable, &QListWidget::itemDoubleClicked, this, &CDlgToolbarAnpassen::AddSelected);
    connect(m_pCurrent, &QListWidget::itemDoubleClicked, this, &CDlgToolbarAnpassen::RemoveSelected);
    connect(m_pCurrent, &QListWidget::currentRowChanged, this, &CDlgToolbarAnpassen::UpdateButtons);
    FillToolbars(0);
}

QPushButton* CDlgToolbarAnpassen::Button(const char* name) const {
    return findChild<QPushButton*>(QLatin1String(name));
}

QListWidgetItem* CDlgToolbarAnpassen::MakeItem(int id) const {
    auto* item = new QListWidgetItem(id == 0 ? Str(infostr::kSeparator) : m_text(id));
    // Commands without an image get an empty one, so that the texts stand in one column.
    QIcon icon = id ? m_icon(id) : QIcon();
    if (icon.isNull()) {
        QPixmap blank(20, 20);
        blank.fill(Qt::transparent);
        icon = QIcon(blank);
    }
    item->setIcon(icon);
    item->setData(Qt::UserRole, id);
    return item;
}

std::vector<int>& CDlgToolbarAnpassen::Buttons() {
    const int bar = m_pToolbars->currentIndex();
    return bar <= 0 ? m_layout.standard : m_layout.user[static_cast<size_t>(bar - 1)].buttons;
}

void CDlgToolbarAnpassen::FillToolbars(int select) {
    QSignalBlocker block(m_pToolbars);
    m_pToolbars->clear();
    m_pToolbars->addItem(Str(shellstr::kToolbarStandard124));
    for (const ToolbarSpec& t : m_layout.user) m_pToolbars->addItem(QString::fromStdU16String(t.name));
    m_pToolbars->setCurrentIndex(select);
    FillCurrent(0);
}

void CDlgToolbarAnpassen::FillCurrent(int selectRow) {
    m_pCurrent->clear();
    for (int id : Buttons()) m_pCurrent->addItem(MakeItem(id));
    if (m_pCurrent->count()) m_pCurrent->setCurrentRow(std::clamp(selectRow, 0, m_pCurrent->count() - 1));
    UpdateButtons();
}

void CDlgToolbarAnpassen::UpdateButtons() {
    const int row = m_pCurrent->currentRow();
    const int n = m_pCurrent->count();
    const bool own = m_pToolbars->currentIndex() > 0;
    Button("remove")->setEnabled(row >= 0);
    Button("up")->setEnabled(row > 0);
    Button("down")->setEnabled(row >= 0 && row + 1 < n);
    Button("rename")->setEnabled(own);
    Button("delete")->setEnabled(own);
    Button("new")->setEnabled(static_cast<int>(m_layout.user.size()) < kMaxUserToolbars);
}

void CDlgToolbarAnpassen::AddSelected() {
    QListWidgetItem* item = m_pAvailable->currentItem();
    if (!item) return;
    std::vector<int>& buttons = Buttons();
    // After the selected button, or at the end.
    const int row = m_pCurrent->currentRow();
    const size_t at = row < 0 ? buttons.size() : static_cast<size_t>(row) + 1;
    buttons.insert(buttons.begin() + static_cast<std::ptrdiff_t>(at), item->data(Qt::UserRole).toInt());
    FillCurrent(static_cast<int>(at));
}

void CDlgToolbarAnpassen::RemoveSelected() {
    const int row = m_pCurrent->currentRow();
    std::vector<int>& buttons = Buttons();
    if (row < 0 || static_cast<size_t>(row) >= buttons.size()) return;
    buttons.erase(buttons.begin() + row);
    FillCurrent(row);
}

void CDlgToolbarAnpassen::MoveSelected(int delta) {
    const int row = m_pCurrent->currentRow();
    std::vector<int>& buttons = Buttons();
    const int to = row + delta;
    if (row < 0 || to < 0 || static_cast<size_t>(to) >= buttons.size()) return;
    std::swap(buttons[static_cast<size_t>(row)], buttons[static_cast<size_t>(to)]);
    FillCurrent(to);
}

QString CDlgToolbarAnpassen::AskName(const QString& preset) {
    if (m_askName) return m_askName(preset).trimmed();
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, Str(infostr::kToolbarNameTitle), Str(infostr::kToolbarNamePrompt),
                              QLineEdit::Normal, preset, &ok);
    return ok ? name.trimmed() : QString();
}

void CDlgToolbarAnpassen::NewToolbar() {
    if (static_cast<int>(m_layout.user.size()) >= kMaxUserToolbars) {
        QMessageBox::information(this, Str(shellstr::kAppTitle), Str(infostr::kTooManyToolbars));
        return;
    }
    const QString name =
        AskName(Str(infostr::kUserToolbarDefault).arg(static_cast<int>(m_layout.user.size()) + 1));
    if (name.isEmpty()) return;
    m_layout.user.push_back({name.toStdU16String(), {}});
    FillToolbars(static_cast<int>(m_layout.user.size()));
}

void CDlgToolbarAnpassen::RenameToolbar() {
    const int bar = m_pToolbars->currentIndex();
    if (bar <= 0) return;
    ToolbarSpec& t = m_layout.user[static_cast<size_t>(bar - 1)];
    const QString name = AskName(QString::fromStdU16String(t.name));
    if (name.isEmpty()) return;
    t.name = name.toStdU16String();
    FillToolbars(bar);
}

void CDlgToolbarAnpassen::DeleteToolbar() {
    const int bar = m_pToolbars->currentIndex();
    if (bar <= 0) return;
    m_layout.user.erase(m_layout.user.begin() + (bar - 1));
    FillToolbars(bar - 1);
}

void CDlgToolbarAnpassen::ResetToolbar() {
    // The standard toolbar gets its original buttons, an own toolbar becomes empty.
    Buttons() = m_pToolbars->currentIndex() <= 0 ? DefaultToolbarLayout().standard : std::vector<int>{};
    FillCurrent(0);
}

}  // namespace tarvex
