#include "ui/formview/CKTWScrollViewBase.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QOperatingSystemVersion>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

#include "core/formview/FormZoom.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"

namespace tarvex {

CKTWScrollViewBase::CKTWScrollViewBase(Profile* profile, const ScreenInfo& screen, QWidget* parent)
    : QAbstractScrollArea(parent), m_screen(screen) {
    if (!profile) {
        m_ownProfile = std::make_unique<CMemoryProfile>();
        profile = m_ownProfile.get();
    }
    m_pProfile = profile;
    setFocusPolicy(Qt::StrongFocus);
}

CKTWScrollViewBase::~CKTWScrollViewBase() = default;

int CKTWScrollViewBase::InitZoom() {
    int height = m_screen.desktopHeight;
    int dpi = m_screen.dpi;
    bool win8 = m_screen.windows8OrLater;
    if (height <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        height = screen ? screen->virtualGeometry().bottom() + 1 : 768;
        if (dpi <= 0) dpi = screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 0;
        win8 = QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows &&
               QOperatingSystemVersion::current() >= QOperatingSystemVersion::Windows8;
    }
    m_nZoom =
        static_cast<int16_t>(ComputeInitZoom(*m_pProfile, m_strSection.toStdString(), height, win8, dpi));
    return m_nZoom;
}

bool CKTWScrollViewBase::CanZoomIn() const {
    return tarvex::CanZoomIn(m_nZoom);
}
bool CKTWScrollViewBase::CanZoomOut() const {
    return tarvex::CanZoomOut(m_nZoom);
}

double CKTWScrollViewBase::Dpi() const {
    if (m_screen.dpi > 0) return m_screen.dpi;
    return logicalDpiX() > 0 ? logicalDpiX() : 96.0;
}

QPoint CKTWScrollViewBase::DeviceScrollPosition() const {
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint CKTWScrollViewBase::LogicalScrollPosition() const {
    const QPoint d = DeviceScrollPosition();
    const int dpi = static_cast<int>(std::lround(Dpi()));
    return QPoint(PixelsToHimetric(d.x(), dpi) / 10, -(PixelsToHimetric(d.y(), dpi) / 10));
}

void CKTWScrollViewBase::ScrollToLogical(int x, int y) {
    const int dpi = static_cast<int>(std::lround(Dpi()));
    // Logical y grows upward: a position below the top is negative.
    const long long px = static_cast<long long>(HimetricToPixels(std::max(0, x) * 10, dpi));
    const long long py =
        y >= 0 ? 0 : static_cast<long long>(HimetricToPixels(std::min(-y, (1 << 26)) * 10, dpi));
    horizontalScrollBar()->setValue(
        static_cast<int>(std::min<long long>(px, horizontalScrollBar()->maximum())));
    verticalScrollBar()->setValue(static_cast<int>(std::min<long long>(py, verticalScrollBar()->maximum())));
}

void CKTWScrollViewBase::ScrollLogicalBy(int dx, int dy) {
    const QPoint p = LogicalScrollPosition();
    ScrollToLogical(p.x() + dx, p.y() + dy);
}

void CKTWScrollViewBase::SetScrollSizes() {
    const std::string sec = m_strSection.toStdString();
    const int length = settings::Get(*m_pProfile, sec, settings::kDocLength);
    const int width = settings::Get(*m_pProfile, sec, settings::kDocWidth);
    const int dpi = static_cast<int>(std::lround(Dpi()));
    const int w = HimetricToPixels(width * m_nZoom * 10, dpi);
    const int h = HimetricToPixels(length * m_nZoom * 10, dpi);
    const QSize vp = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, w - vp.width()));
    verticalScrollBar()->setRange(0, std::max(0, h - vp.height()));
    horizontalScrollBar()->setPageStep(std::max(1, HimetricToPixels(m_nZoom * 50 * 10, dpi)));
    verticalScrollBar()->setPageStep(std::max(1, HimetricToPixels(m_nZoom * 70 * 10, dpi)));
    horizontalScrollBar()->setSingleStep(std::max(1, w / 100));
    verticalScrollBar()->setSingleStep(std::max(1, h / 100));
}

void CKTWScrollViewBase::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    if (m_nZoom > 0) SetScrollSizes();
}

void CKTWScrollViewBase::OnZoomIn() {
    if (!CanZoomIn()) return;
    m_nZoom = static_cast<int16_t>(ZoomStep(*m_pProfile, m_strSection.toStdString(), m_nZoom, true));
    m_bLayoutValid = false;
    ZoomChanged();
    viewport()->update();
    ScrollToLogical(0, 0);
    emit zoomChanged(m_nZoom);
}

void CKTWScrollViewBase::OnZoomOut() {
    if (!CanZoomOut()) return;
    m_nZoom = static_cast<int16_t>(ZoomStep(*m_pProfile, m_strSection.toStdString(), m_nZoom, false));
    m_bLayoutValid = false;
    ZoomChanged();
    viewport()->update();
    ScrollToLogical(0, 0);
    emit zoomChanged(m_nZoom);
}

bool CKTWScrollViewBase::OnPageKey(QKeyEvent* e) {
    if (e->key() == Qt::Key_PageDown) {
        ScrollLogicalBy(0, -kPageKeyStep);
        return true;
    }
    if (e->key() == Qt::Key_PageUp) {
        ScrollLogicalBy(0, kPageKeyStep);
        return true;
    }
    return false;
}

void CKTWScrollViewBase::keyPressEvent(QKeyEvent* e) {
    if (!OnPageKey(e)) QAbstractScrollArea::keyPressEvent(e);
}

}  // namespace tarvex
