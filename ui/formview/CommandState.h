#pragma once
// Menu state of a command for the shell's menus and toolbars, as a form view reports it.

#include <QString>

namespace tarvex {

struct CommandState {
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
    bool radio = false;
    QString text;  // empty: keep the menu's text
};

}  // namespace tarvex
