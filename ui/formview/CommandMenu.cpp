#include "ui/formview/CommandMenu.h"

#include <QActionGroup>
#include <QMenu>

#include "core/app/ShellCommands.h"
#include "ui/formview/CommandState.h"

namespace tarvex {

QMenu* BuildCommandMenu(int menuId, QWidget* parent, const std::function<void(int, CommandState&)>& state,
                        const std::function<void(int)>& run) {
    auto* menu = new QMenu(parent);
    QActionGroup* alignment = nullptr;
    for (const MenuEntry& e : ContextMenuResource(menuId)) {
        if (e.kind == MenuEntry::Kind::Separator) {
            menu->addSeparator();
            continue;
        }
        CommandState st;
        state(e.id, st);
        QAction* a = menu->addAction(
            st.text.isEmpty() ? QString::fromUtf16(e.text.data(), qsizetype(e.text.size())) : st.text);
        a->setData(e.id);
        a->setEnabled(st.enabled);
        a->setCheckable(st.checkable);
        a->setChecked(st.checked);
        if (st.radio) {
            if (!alignment) alignment = new QActionGroup(menu);
            alignment->addAction(a);
        }
        const int id = e.id;
        QObject::connect(a, &QAction::triggered, menu, [run, id] { run(id); });
    }
    return menu;
}

}  // namespace tarvex
