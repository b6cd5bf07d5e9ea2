#include "ui/shell/HelpPages.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QRegularExpression>
#include <algorithm>

#include "core/common/HelpContexts.h"

static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace tarvex {
namespace {

constexpr int kOverviewContext = help::kOverview;

QString ResourcePage(int context) {
    return QStringLiteral(":/help/%1.html").arg(context);
}

// The page's <title> without the program name every title ends with.
class PageTitles {
public:
    QString Of(const QString& path) const {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return {};
        const auto m = m_title.match(QString::fromUtf8(f.read(4096)));
        if (!m.hasMatch()) return {};
        QString text = m.captured(1).simplified();
        text.remove(m_suffix);
        return text;
    }

private:
    const QRegularExpression m_title{QStringLiteral("<title>(.*?)</title>"),
                                     QRegularExpression::DotMatchesEverythingOption};
    const QRegularExpression m_suffix{QStringLiteral("\\s*[–-]\\s*Tarvex-Import Hilfe$")};
};

// Sees F1 before any widget: a dialog's own controls would otherwise swallow it, and the
// frame's shortcuts do not reach a modal dialog.
class HelpKeyFilter : public QObject {
public:
    explicit HelpKeyFilter(std::function<void()> onHelp) : m_onHelp(std::move(onHelp)) {
        qApp->installEventFilter(this);
    }
    ~HelpKeyFilter() override {
        if (qApp) qApp->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if ((e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) || !o->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() != Qt::Key_F1 || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        if (e->type() == QEvent::KeyPress && !key->isAutoRepeat()) m_onHelp();
        e->accept();
        return true;
    }

private:
    std::function<void()> m_onHelp;
};

}  // namespace

std::unique_ptr<QObject> InstallHelpKey(std::function<void()> onHelp) {
    return std::make_unique<HelpKeyFilter>(std::move(onHelp));
}

bool HasHelpPage(int context) {
    InitHelpResources();
    return QFile::exists(ResourcePage(context));
}

QUrl HelpPageUrl(int context) {
    const int page = HasHelpPage(context) ? context : kOverviewContext;
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(page));
}

int HelpContextOfUrl(const QUrl& url) {
    if (url.scheme() != QLatin1String("qrc")) return 0;
    const QFileInfo file(url.path());
    if (file.path() != QLatin1String("/help") || file.suffix() != QLatin1String("html")) return 0;
    bool ok = false;
    const int context = file.completeBaseName().toInt(&ok);
    return ok && HasHelpPage(context) ? context : 0;
}

std::vector<HelpTopic> HelpContents() {
    InitHelpResources();
    std::vector<HelpTopic> topics;
    const PageTitles titles;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")});
    while (it.hasNext()) {
        const QString path = it.next();
        bool ok = false;
        const int context = QFileInfo(path).completeBaseName().toInt(&ok);
        if (ok) topics.push_back({context, titles.Of(path)});
    }
    std::sort(topics.begin(), topics.end(), [](const HelpTopic& a, const HelpTopic& b) {
        if ((a.context == kOverviewContext) != (b.context == kOverviewContext))
            return a.context == kOverviewContext;
        return a.context < b.context;
    });
    return topics;
}

}  // namespace tarvex
