#include "frame/app/childcommandstate.h"

#include "platform/ui/tag.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <initializer_list>

namespace kx {
namespace {

bool TaggedOneOf(const QAction* action, std::initializer_list<int> tags) {
    const int tag = ui::Tag(action);
    for (int wanted : tags)
        if (tag == wanted)
            return true;
    return false;
}

struct GroupTags {
    std::initializer_list<int> menuItems;
    std::initializer_list<int> toolButtons;
};

void SetGroupState(QToolBar* toolBar, QMenuBar* menu, bool closing, int& counter,
                   const GroupTags& tags) {
    if (closing)
        --counter;
    if (counter == 0) {
        for (QAction* top : menu->actions()) {
            if (!top->menu())
                continue;
            for (QAction* item : top->menu()->actions())
                if (TaggedOneOf(item, tags.menuItems))
                    item->setEnabled(closing);
        }
        if (toolBar) {
            for (QAction* button : toolBar->actions())
                if (TaggedOneOf(button, tags.toolButtons))
                    button->setEnabled(closing);
        }
    }
    if (!closing)
        ++counter;
}

} // namespace

void SetChildToolbarState(QToolBar* toolBar, QMenuBar* menu, bool closing, int& counter1,
                          int& counter2, bool secondGroup) {
    if (!menu)
        return;
    if (secondGroup)
        SetGroupState(toolBar, menu, closing, counter2, {{200, 300}, {200}});
    else
        SetGroupState(toolBar, menu, closing, counter1, {{100, 300}, {100, 300}});
}

void SetChildMenuState(QToolBar* toolBar, QMenuBar* menu, bool closing, int& counter1,
                       int& counter2, bool secondGroup) {
    if (!menu)
        return;
    if (secondGroup)
        SetGroupState(toolBar, menu, closing, counter2, {{20, 300}, {20, 300}});
    else
        SetGroupState(toolBar, menu, closing, counter1, {{10, 300}, {10, 300}});
}

} // namespace kx
