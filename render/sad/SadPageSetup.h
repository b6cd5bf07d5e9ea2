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

// The screen picture of a page at a resolution: the form area ("DocWidth" x "DocLength" mm)
// drawn by a renderer prepared for the options' zoom.
QImage RenderSadPageImage(const CSadPageRenderer& renderer, const CEinheitspapierDoc& doc, int page,
                          const SadRenderOptions& options, Profile& profile, double dpi);

}  // namespace tarvex
