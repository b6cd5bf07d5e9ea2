#include "render/formview/PagePicture.h"

#include <QPainter>
#include <QRegion>
#include <cmath>

namespace tarvex {

const QImage& CPagePicture::Update(const QByteArray& key, const QTransform& scale, const QSize& size,
                                   QImage::Format format, std::vector<Box> boxes,
                                   const std::function<void(QPainter&)>& draw) {
    const bool same = !m_image.isNull() && key == m_key && scale == m_scale && m_image.size() == size &&
                      m_image.format() == format && boxes.size() == m_boxes.size();
    QRegion dirty;
    if (same) {
        // A pixel more on each side: the scaled rectangle is rounded.
        auto device = [&scale](const QRect& r) { return scale.mapRect(r).adjusted(-1, -1, 1, 1); };
        for (size_t i = 0; i < boxes.size(); ++i)
            if (!(boxes[i] == m_boxes[i])) dirty += device(m_boxes[i].extent).united(device(boxes[i].extent));
        if (!dirty.isEmpty()) dirty &= QRegion(m_image.rect());
    } else {
        // The last page's buffer is drawn over whole.
        if (m_image.size() != size || m_image.format() != format) m_image = QImage(size, format);
        m_key = key;
        m_scale = scale;
    }
    if (!same || !dirty.isEmpty()) {
        QPainter p(&m_image);
        if (same) p.setClipRegion(dirty);
        p.setWorldTransform(scale);
        draw(p);
    }
    m_boxes = std::move(boxes);
    return m_image;
}

void FillBackground(QPainter& painter, const QRegion& covered) {
    painter.save();
    painter.resetTransform();
    const QRect all = painter.hasClipping()
                          ? painter.clipBoundingRect().toAlignedRect()
                          : QRect(0, 0, painter.device()->width(), painter.device()->height());
    for (const QRect& r : QRegion(all).subtracted(covered)) painter.fillRect(r, Qt::white);
    painter.restore();
}

void CPagePicture::Clear() {
    m_image = QImage();
    m_boxes.clear();
    m_key.clear();
}

bool PlacesPicturesExactly(const QPainter& painter) {
    const QTransform t = painter.worldTransform();
    return t.type() <= QTransform::TxScale && t.m11() > 0 && t.m22() > 0 && t.dx() == std::trunc(t.dx()) &&
           t.dy() == std::trunc(t.dy()) && !painter.viewTransformEnabled() && painter.device() &&
           painter.device()->devicePixelRatio() == 1;
}

QImage::Format PictureFormatFor(const QPainter& painter) {
    return painter.device()->devType() == QInternal::Image
               ? static_cast<const QImage*>(painter.device())->format()
               : QImage::Format_RGB32;
}

}  // namespace tarvex
