#pragma once
// The images of the standard toolbar and the document and program icons, drawn once at start.

#include <QByteArray>
#include <QIcon>

namespace tarvex {

// Toolbar image of a command; a null icon for commands without one.
QIcon CommandIcon(int command);
// 0 the program, 1 the SAD document, 2 the D.V.1 document.
QImage DocumentIconImage(int index, int size = 48);
QByteArray DocumentIconPng(int index, int size = 48);

}  // namespace tarvex
