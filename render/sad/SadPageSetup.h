#pragma once
// The setup of an SAD page that the program and the command-line tool share: the render options
// from the settings and the page as an image.

#include <QImage>

#include "render/sad/SadPageRenderer.h"

namespace tarvex {

class CEinheitspapierDoc;
class Profile;
struct CFieldDefinitions;

// The screen picture's options: section "EHForm_Defaults" ("Stamp_A", "Stamp_C", "EH_ShowXX",
// "EditTextColor"), the document's variant and input-tax flag, overlong texts marked.
SadRenderOptions SadRenderOptionsFromSettings(Profile& profile, const CEinheitspapierDoc& doc,
                                              const CFieldDefinitions* definitions, int zoom);
// Brings options read earlier up to the document's variant and input-tax flag and the zoom.
void ApplySadDocumentOptions(SadRenderOptions& options, const CEinheitspapierDoc& doc, int zoom);

// The screen view's repaint: the device area `area` white, then the page scrolled by `scroll`
// device pixels at a resolution.
void PaintSadScreen(QPainter& painter, const QRect& area, const QPoint& scroll, double dpi,
                    const CSadPageRenderer& renderer, const CFieldStore& store, int page,
                    const SadRenderOptions& options);

// The screen picture of a page at a resolution: the form area ("DocWidth" x "DocLength" mm)
// drawn by a renderer prepared for the options' zoom.
QImage RenderSadPageImage(const CSadPageRenderer& renderer, const CEinheitspapierDoc& doc, int page,
                          const SadRenderOptions& options, Profile& profile, double dpi);

}  // namespace tarvex
