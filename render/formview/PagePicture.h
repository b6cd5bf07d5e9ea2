#pragma once
// The screen picture of one page: the form and every box's text drawn once at the screen's scale
// and kept, so that a paint copies what is exposed. A box whose text or format changed is drawn
// again, with everything else that reaches into its place; anything else the picture shows (the
// page, the options, the scale) is part of its key, and a new key draws it all anew.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QTransform>
#include <functional>
#include <string>
#include <vector>

class QPainter;
class QRegion;

namespace tarvex {

class CPagePicture {
public:
    struct Box {
        int id = 0;  // the box (field and the page its text comes from)
        std::u16string text;
        uint16_t flags = 0;
        QRect extent;  // logical units: where the box's text and marks can reach
        bool operator==(const Box&) const = default;
    };

    // Brings the picture (size device pixels, the painter of `draw` scaled by `scale` from
    // logical units) up to key and boxes and returns it. `draw` paints the page onto a picture
    // that may be clipped to the places drawn anew.
    const QImage& Update(const QByteArray& key, const QTransform& scale, const QSize& size,
                         QImage::Format format, std::vector<Box> boxes,
                         const std::function<void(QPainter&)>& draw);
    void Clear();

private:
    QByteArray m_key;
    QTransform m_scale;
    QImage m_image;
    std::vector<Box> m_boxes;
};

// Makes white what the painter's clip (or its whole device) holds outside `covered` (device
// pixels): a screen paint fills only what nothing else draws over.
void FillBackground(QPainter& painter, const QRegion& covered);

// Whether a picture drawn at the painter's scale shows the same pixels as drawing directly: the
// painter places it at whole device pixels, unscaled otherwise.
bool PlacesPicturesExactly(const QPainter& painter);
// The pixel format of pictures to be copied onto the painter's device.
QImage::Format PictureFormatFor(const QPainter& painter);

}  // namespace tarvex
