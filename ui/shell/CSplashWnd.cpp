#include "ui/shell/CSplashWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "core/app/InfoStrings.h"
#include "ui/common/QtText.h"
#include "ui/shell/InfoPictures.h"

namespace tarvex {
namespace {

QFont ArialOfHeight(int height) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(height);
    f.setWeight(QFont::Normal);
    return f;
}

// Text whose top edge starts at y; align says whether x is its left end, centre or right end.
void DrawAt(QPainter& p, int x, int y, Qt::Alignment align, const QString& text) {
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text) + 2;
    int left = x;
    if (align & Qt::AlignRight) left = x - w;
    if (align & Qt::AlignHCenter) left = x - w / 2;
    p.drawText(QRect(left, y, w, fm.height()), align | Qt::AlignTop, text);
}

}  // namespace

CSplashWnd::CSplashWnd(QWidget* owner, const QString& version, int seconds)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(SplashPicture()),
      m_version(version) {
    setObjectName(QStringLiteral("CSplashWnd"));
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.size());
    if (owner) {
        const QRect frame = owner->frameGeometry();
        move(frame.center() - QPoint(width() / 2, height() / 2));
    }
    qApp->installEventFilter(this);
    QTimer::singleShot(seconds * 1000, this, &CSplashWnd::Hide);
    show();
    raise();
    repaint();
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
}

void CSplashWnd::Hide() {
    if (m_bHiding) return;
    m_bHiding = true;
    qApp->removeEventFilter(this);
    hide();
    if (QWidget* owner = parentWidget()) owner->update();
    emit hidden();
    deleteLater();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Keeps the key from the accelerators; its key press follows and closes the window.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
            Hide();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(ArialOfHeight(14));
    p.setPen(Qt::black);
    DrawAt(p, 480, 18, Qt::AlignRight, Str(infostr::kPublisherNotice));
    p.setPen(QColor(255, 0, 0));
    DrawAt(p, 250, 312, Qt::AlignHCenter, Str(infostr::kWebAddress));
    p.setFont(ArialOfHeight(16));
    p.setPen(Qt::white);
    DrawAt(p, 361, 175, Qt::AlignHCenter, Str(infostr::kSplashVersion).arg(m_version));
}

}  // namespace tarvex
