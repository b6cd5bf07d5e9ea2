#pragma once
// The pictures of the splash window and the about dialog: a customs form with the program's
// name, drawn here so that they stay sharp and need no image files.

#include <QImage>

namespace tarvex {

// 500 x 330: room for the notice at the top right, the version in the band at (361, 175) and
// the web address at (250, 312).
QImage SplashPicture();
// The form alone, for the top-left corner of the about dialog.
QImage AboutPicture();

}  // namespace tarvex
