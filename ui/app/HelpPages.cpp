#include "ui/app/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStandardPaths>

#include "render/app/OutputFile.h"

static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace tarvex {
namespace {

QString ResourcePage(int context) {
    return QStringLiteral(":/help/%1.html").arg(context);
}

// The pages written out of the resources once per run, so that a browser can show them.
QString ExtractedHelpFolder() {
    static QString folder;
    if (!folder.isEmpty()) return folder;
    QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (base.isEmpty()) base = QDir::tempPath() + QStringLiteral("/tarvex-import");
    const QString target = base + QStringLiteral("/help");
    if (!QDir().mkpath(target)) return {};
    QDirIterator it(QStringLiteral(":/help"));
    while (it.hasNext()) {
        const QString source = it.next();
        const QString dest = target + QLatin1Char('/') + QFileInfo(source).fileName();
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = in.readAll();
        QFile existing(dest);
        if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) continue;
        existing.close();
        // A page that cannot be written keeps its old copy; it is compared again next time.
        QString error;
        WriteOutputFile(NativePath(dest), bytes, error);
    }
    folder = target;
    return folder;
}

// Sees F1 before any widget: a dialog's own controls would otherwise swallow it, and the
// frame's shortcuts do not reach a modal dialog.
class HelpKeyFilter : public QObject {
public:
    explicit HelpKeyFilter(std::function<void()> onHelp) : m_onHelp(std::move(onHelp)) {}

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

void InstallHelpKey(std::function<void()> onHelp) {
    static HelpKeyFilter* filter = nullptr;
    if (filter) {
        qApp->removeEventFilter(filter);
        delete filter;
    }
    filter = new HelpKeyFilter(std::move(onHelp));
    qApp->installEventFilter(filter);
}

bool HasHelpPage(int context) {
    InitHelpResources();
    return QFile::exists(ResourcePage(context));
}

QUrl HelpPageUrl(int context) {
    InitHelpResources();
    const int page = HasHelpPage(context) ? context : 100;
    const QString name = QStringLiteral("%1.html").arg(page);
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tarvex-import/help/") + name;
    if (QFileInfo::exists(installed)) return QUrl::fromLocalFile(QFileInfo(installed).canonicalFilePath());
    const QString folder = ExtractedHelpFolder();
    if (folder.isEmpty()) return {};
    return QUrl::fromLocalFile(folder + QLatin1Char('/') + name);
}

}  // namespace tarvex
