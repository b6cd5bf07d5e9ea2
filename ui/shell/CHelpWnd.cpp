#include "ui/shell/CHelpWnd.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "core/common/HelpContexts.h"
#include "core/common/ShellStrings.h"
#include "ui/common/QtText.h"
#include "ui/shell/HelpPages.h"

namespace tarvex {

CHelpWnd::CHelpWnd(QWidget* home) : QWidget(home, Qt::Window), m_home(home), m_owner(home) {
    setWindowTitle(Str(shellstr::kHelpTitle));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_back = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), Str(shellstr::kHelpBack));
    m_forward = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), Str(shellstr::kHelpForward));
    auto* overview = new QPushButton(Str(shellstr::kHelpOverview));
    auto* close = new QPushButton(Str(shellstr::kHelpClose));
    for (QPushButton* b : {m_back, m_forward, overview, close}) b->setAutoDefault(false);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    auto* bar = new QHBoxLayout;
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(overview);
    bar->addStretch();
    bar->addWidget(close);

    auto* contentsPane = new QWidget;
    auto* contentsLayout = new QVBoxLayout(contentsPane);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    auto* contentsLabel = new QLabel(Str(shellstr::kHelpContents));
    m_contents = new QListWidget;
    m_contents->setTextElideMode(Qt::ElideRight);
    m_contents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contentsLabel->setBuddy(m_contents);
    for (const HelpTopic& topic : HelpContents()) {
        auto* item =
            new QListWidgetItem(topic.title.isEmpty() ? QString::number(topic.context) : topic.title);
        item->setData(Qt::UserRole, topic.context);
        item->setToolTip(item->text());
        m_contents->addItem(item);
    }
    contentsLayout->addWidget(contentsLabel);
    contentsLayout->addWidget(m_contents);

    m_browser = new QTextBrowser;
    // Links are followed here: pages of the help inside the window, nothing outside it.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);

    auto* split = new QSplitter;
    split->addWidget(contentsPane);
    split->addWidget(m_browser);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 620});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);

    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl target = m_browser->source().resolved(link);
        if (HelpContextOfUrl(target) != 0) m_browser->setSource(target);
    });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWnd::SourceChanged);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(overview, &QPushButton::clicked, this, [this] { ShowContext(help::kOverview); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto open = [this](QListWidgetItem* item) {
        if (item && item->data(Qt::UserRole).toInt() != CurrentContext())
            m_browser->setSource(HelpPageUrl(item->data(Qt::UserRole).toInt()));
    };
    connect(m_contents, &QListWidget::itemActivated, this, open);
    connect(m_contents, &QListWidget::itemClicked, this, open);
    // The browser's keys, wherever the keyboard is in the window.
    auto* backKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(backKey, &QShortcut::activated, m_browser, &QTextBrowser::backward);
    auto* forwardKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
    connect(forwardKey, &QShortcut::activated, m_browser, &QTextBrowser::forward);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    resize(920, 680);
}

CHelpWnd::~CHelpWnd() {
    if (m_owner && m_owner != m_home) m_owner->removeEventFilter(this);
}

int CHelpWnd::CurrentContext() const {
    return HelpContextOfUrl(m_browser->source());
}

void CHelpWnd::ShowContext(int context) {
    FollowModalDialog();
    const QUrl url = HelpPageUrl(context);
    if (m_browser->source() != url) m_browser->setSource(url);
    show();
    raise();
    activateWindow();
    m_browser->setFocus();
}

void CHelpWnd::FollowModalDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal && modal != this ? modal : m_home.data();
    if (owner != parentWidget()) Reparent(owner);
}

void CHelpWnd::Reparent(QWidget* owner) {
    if (m_owner && m_owner != m_home) m_owner->removeEventFilter(this);
    const QRect frame = geometry();
    const bool wasVisible = isVisible();
    setParent(owner, Qt::Window);
    setGeometry(frame);
    m_owner = owner;
    if (owner && owner != m_home) owner->installEventFilter(this);
    if (wasVisible) show();
}

bool CHelpWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_owner && m_owner != m_home && event->type() == QEvent::Hide) {
        // The dialog ends and would take the help window with it: home at once, and to the
        // next modal dialog, if one is still open, once this one has gone.
        const bool wasVisible = isVisible();
        Reparent(m_home);
        if (wasVisible)
            QTimer::singleShot(0, this, [this] {
                FollowModalDialog();
                show();
            });
    }
    return QWidget::eventFilter(watched, event);
}

void CHelpWnd::SourceChanged() {
    const int context = CurrentContext();
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(Qt::UserRole).toInt() != context) continue;
        const QSignalBlocker quiet(m_contents);
        m_contents->setCurrentRow(i);
        m_contents->scrollToItem(m_contents->item(i));
        break;
    }
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? Str(shellstr::kHelpTitle) : title);
}

}  // namespace tarvex
