#pragma once
// The pop-up menu of a form view: one action per entry of a menu resource, with the state the
// view reports for it, triggering the view's command.

#include <functional>

class QMenu;
class QWidget;

namespace tarvex {

struct CommandState;

QMenu* BuildCommandMenu(int menuId, QWidget* parent, const std::function<void(int, CommandState&)>& state,
                        const std::function<void(int)>& run);

}  // namespace tarvex
