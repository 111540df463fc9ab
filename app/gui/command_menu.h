#pragma once
// The menu bar of the command table: menus and items in menu order with
// their captions and accelerators, the "&Grafikverwaltung" submenu, and
// the items whose visibility depends on the supplier's DATANORM version.

#include <QObject>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QMenuBar;

namespace dn::gui {

class CommandMenu {
  public:
    // `run` is called with the command number of a chosen item.
    CommandMenu(QMenuBar& bar, std::function<void(int)> run);

    // "&Minuten übernehmen" for DATANORM 3 only, "&Freie Texte übernehmen"
    // and "&Grafikverwaltung" for DATANORM 5 only.
    void updateVisibility(int dnVersion);

    QAction* action(int number) const;
    QMenu* menu(const QString& caption) const;

  private:
    std::map<int, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::map<QString, QMenu*> submenus_;
};

}  // namespace dn::gui
