#include "gui/command_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "common/command_table.h"

namespace dn::gui {
namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

CommandMenu::CommandMenu(QMenuBar& bar, std::function<void(int)> run) {
    auto bind = [&](QAction* action, int number) {
        action->setObjectName(QStringLiteral("cmd_%1").arg(number));
        action->setData(number);
        QObject::connect(action, &QAction::triggered, action, [run, number] { run(number); });
        actions_[number] = action;
    };
    for (const std::string& top : menuOrder()) {
        const QString caption = qs(top);
        if (const auto* item = [&]() -> const CommandInfo* {
                for (const auto& c : commandTable())
                    if (c.menu.empty() && c.caption == top) return &c;
                return nullptr;
            }()) {
            bind(bar.addAction(caption), item->number);
            continue;
        }
        QMenu* menu = bar.addMenu(caption);
        menus_[caption] = menu;
        for (const auto& c : commandTable()) {
            if (c.menu != top) continue;
            QMenu* target = menu;
            if (!c.submenu.empty()) {
                const QString key = caption + u'/' + qs(c.submenu);
                auto it = submenus_.find(key);
                if (it == submenus_.end())
                    it = submenus_.emplace(key, menu->addMenu(qs(c.submenu))).first;
                target = it->second;
            }
            bind(target->addAction(qs(c.caption)), c.number);
        }
    }
}

void CommandMenu::updateVisibility(int dnVersion) {
    for (auto& [number, action] : actions_) action->setVisible(commandVisible(number, dnVersion));
    // A submenu is shown when one of its items is.
    for (auto& [key, submenu] : submenus_) {
        bool any = false;
        for (QAction* a : submenu->actions()) any = any || a->isVisible();
        submenu->menuAction()->setVisible(any);
    }
}

QAction* CommandMenu::action(int number) const {
    auto it = actions_.find(number);
    return it == actions_.end() ? nullptr : it->second;
}

QMenu* CommandMenu::menu(const QString& caption) const {
    auto it = menus_.find(caption);
    if (it != menus_.end()) return it->second;
    for (const auto& [key, submenu] : submenus_)
        if (key.endsWith(u'/' + caption)) return submenu;
    return nullptr;
}

}  // namespace dn::gui
