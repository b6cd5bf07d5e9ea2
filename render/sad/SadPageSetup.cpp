#include "render/sad/SadPageSetup.h"

#include <QPainter>
#include <cmath>

#include "core/formview/FormZoom.h"
#include "core/sad/EinheitspapierDoc.h"
#include "core/sad/SadLayout.h"
#include "core/settings/Profile.h"
#include "core/settings/SettingsKeys.h"
#include "render/formview/EditTextColour.h"

namespace tarvex {
namespace {
constexpr const char* kSection = settings::kEHForm;
}  // namespace

SadRenderOptions SadRenderOptionsFromSettings(Profile& profile, const CEinheitspapierDoc& doc,
                                              const CFieldDefinitions* definitions, int zoom) {
    SadRenderOptions o;
    ApplySadDocumentOptions(o, doc, zoom);
    o.stampA = settings::Get(profile, kSection, settings::kStampA) != 0;
    o.stampC = settings::Get(profile, kSection, settings::kStampC) != 0;
    o.showCrossedOut = settings::Get(profile, kSection, settings::kEHShowXX) == 1;
    o.greySurround = true;
    o.markOverflow = true;
    o.textColour = EditTextColour(profile, kSection);
    o.definitions = definitions;
    return o;
}

void PaintSadScreen(QPainter& painter, const QRect& area, const QPoint& scroll, double dpi,
                    const CSadPageRenderer& renderer, const CFieldStore& store, int page,
                    const SadRenderOptions& options) {
    // What lies outside the area is not drawn, and no text is laid out for it.
    painter.setClipRect(area);
    painter.translate(-scroll.x(), -scroll.y());
    painter.setWorldTransform(CSadPageRenderer::LogicalToDevice(dpi), true);
    renderer.RenderScreen(painter, store, page, options, true);
}

void ApplySadDocumentOptions(SadRenderOptions& o, const CEinheitspapierDoc& doc, int zoom) {
    o.zoom = zoom;
    o.variant = doc.m_nFormVariant;
    o.inputTax = doc.m_nInputTax == 1;
}

QImage RenderSadPageImage(const CSadPageRenderer& renderer, const CEinheitspapierDoc& doc, int page,
                          const SadRenderOptions& options, Profile& profile, double dpi) {
    const QSize logical =
        CSadPageRenderer::DocumentSize(options.zoom, settings::Get(profile, kSection, settings::kDocWidth),
                                       settings::Get(profile, kSection, settings::kDocLength));
    const int d = static_cast<int>(std::lround(dpi));
    QImage image(HimetricToPixels(logical.width() * 10, d), HimetricToPixels(logical.height() * 10, d),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setWorldTransform(CSadPageRenderer::LogicalToDevice(dpi));
    renderer.Render(painter, doc.Store(), page, options);
    return image;
}

}  // namespace tarvex
