#pragma once
// Common base of the form views: the zoom level with its two commands and settings, the profile
// section of the view, the scroll position in logical units (0.1 mm x zoom / 10, y upward) and
// the page-key scrolling.

#include <QAbstractScrollArea>
#include <QString>
#include <memory>

#include "core/common/CommandIds.h"
#include "core/settings/SettingsKeys.h"
#include "ui/formview/FormViewEnvironment.h"

namespace tarvex {

class Profile;
class CMemoryProfile;

class CKTWScrollViewBase : public QAbstractScrollArea {
    Q_OBJECT
public:
    // profile may be null: the view then keeps its settings in memory.
    CKTWScrollViewBase(Profile* profile, const ScreenInfo& screen, QWidget* parent);
    ~CKTWScrollViewBase() override;

    virtual void SetProfileSection(const QString& section) { m_strSection = section; }
    virtual int InitZoom();

    int Zoom() const { return m_nZoom; }
    bool IsLayoutValid() const { return m_bLayoutValid; }
    const QString& Section() const { return m_strSection; }
    Profile& GetProfile() const { return *m_pProfile; }
    bool CanZoomIn() const;
    bool CanZoomOut() const;

    // Screen resolution used for the mapping (dots per inch).
    double Dpi() const;
    // Scroll position in device pixels of the unscrolled document.
    QPoint DeviceScrollPosition() const;
    // Logical scroll position (y upward, so 0 or negative) and scrolling to one; the position is
    // clamped to the scroll range.
    QPoint LogicalScrollPosition() const;
    void ScrollToLogical(int x, int y);
    void ScrollLogicalBy(int dx, int dy);
    // Scroll sizes of the document: "DocWidth" x "DocLength" mm at the zoom.
    void SetScrollSizes();

public slots:
    void OnZoomIn();
    void OnZoomOut();

signals:
    void zoomChanged(int zoom);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Page Up / Page Down scroll 700 logical units; true when the key was one of them.
    bool OnPageKey(QKeyEvent* e);
    void InvalidateLayout() { m_bLayoutValid = false; }
    void SetLayoutValid() { m_bLayoutValid = true; }
    // Called after a zoom change, before the redraw.
    virtual void ZoomChanged() {}

    int16_t m_nZoom = 0;
    bool m_bLayoutValid = false;
    QString m_strSection = QString::fromLatin1(settings::kSettings);

private:
    std::unique_ptr<CMemoryProfile> m_ownProfile;
    Profile* m_pProfile;
    ScreenInfo m_screen;
};

}  // namespace tarvex
