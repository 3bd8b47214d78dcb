#pragma once

#include <QKeySequence>
#include <QList>
#include <QMenuBar>
#include <QPushButton>
#include <QString>
#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "editions/Edition.h"
#include "main_window/CatalogueSession.h"
#include "platform/keys/Keys.h"
#include "platform/keys/NamedMenus.h"
#include "platform/widgets/Twips.h"

// A key the window's key filter answers: a virtual-key code and what must be
// held with it.
struct KeyChord {
  enum class Held { Any, AltAlone, CtrlAlone };
  int code = 0;  // 0: no key
  Held held = Held::Any;

  bool matches(const VirtualKey& key) const {
    if (code == 0 || key.code != code) return false;
    switch (held) {
      case Held::Any:
        return true;
      case Held::AltAlone:
        return key.shift == vk::AltMask;
      case Held::CtrlAlone:
        return key.shift == vk::CtrlMask;
    }
    return false;
  }
};

inline KeyChord anyHeld(int code) { return {code, KeyChord::Held::Any}; }
inline KeyChord alt(int code) { return {code, KeyChord::Held::AltAlone}; }
inline KeyChord ctrl(int code) { return {code, KeyChord::Held::CtrlAlone}; }

// A push button of a command, in twips; the students' edition may place it
// elsewhere.
struct ButtonPlace {
  const char* name = nullptr;  // nullptr: no button
  QString caption;
  int tabOrder = 0;
  int left = 0, top = 0;
  int studentsLeft = -1, studentsTop = -1;  // -1: where the librarian's is
};

// One command of a main window: its handler (the window's, or its session's
// for what both windows do alike), the keys the window's key filter answers,
// its menu item (with the shortcut Qt's own shortcut map answers) or a
// separator, its button, and what of it the students' edition lacks. Keys,
// menus and buttons are all built from a table of these, so each handler is
// wired once. `Window` gives its session with session().
template <class Window>
struct Command {
  using Handler = void (Window::*)();
  using SessionHandler = void (CatalogueSession::*)();

  std::function<void(Window&)> run;  // empty: an item that only informs, or a separator
  const char* menu = nullptr;
  const char* item = nullptr;
  QString caption;  // empty: the item is a separator
  QKeySequence shortcut;
  bool checkable = false;
  std::function<bool(Window&)> checkedState;  // empty: the item keeps its own check mark
  std::array<KeyChord, 2> keys{};
  ButtonPlace button;
  Edition::Parts studentsLack = Edition::Part::None;

  // A command run from a menu item.
  static Command menuItem(const char* menu, const char* item, const QString& caption, Handler handler,
                          const QKeySequence& shortcut = QKeySequence()) {
    Command c = inert(menu, item, caption, shortcut);
    c.run = [handler](Window& window) { (window.*handler)(); };
    return c;
  }
  static Command menuItem(const char* menu, const char* item, const QString& caption, SessionHandler handler,
                          const QKeySequence& shortcut = QKeySequence()) {
    Command c = inert(menu, item, caption, shortcut);
    c.run = [handler](Window& window) { (window.session().*handler)(); };
    return c;
  }
  // A menu item that runs nothing: it tells of a key served elsewhere.
  static Command inert(const char* menu, const char* item, const QString& caption,
                       const QKeySequence& shortcut = QKeySequence()) {
    Command c;
    c.menu = menu;
    c.item = item;
    c.caption = caption;
    c.shortcut = shortcut;
    return c;
  }
  // A command without a menu item.
  static Command withoutMenu(Handler handler) {
    Command c;
    c.run = [handler](Window& window) { (window.*handler)(); };
    return c;
  }
  static Command separator(const char* menu, const char* name) {
    Command c;
    c.menu = menu;
    c.item = name;
    return c;
  }

  Command&& withKeys(KeyChord first, KeyChord second = KeyChord()) && {
    keys = {first, second};
    return std::move(*this);
  }
  Command&& withButton(ButtonPlace place) && {
    button = std::move(place);
    return std::move(*this);
  }
  Command&& asCheckable() && {
    checkable = true;
    return std::move(*this);
  }
  // A checkable item that shows a state the session keeps, read afresh each
  // time its menu opens (the other window may have changed it).
  Command&& asCheckable(bool (CatalogueSession::*state)() const) && {
    checkable = true;
    checkedState = [state](Window& window) { return (window.session().*state)(); };
    return std::move(*this);
  }
  Command&& studentsLacking(Edition::Parts parts) && {
    studentsLack = parts;
    return std::move(*this);
  }
};

// A menu of the menu bar: its name and caption.
struct MenuTitle {
  const char* name;
  QString caption;
};

template <class Window>
using CommandTable = std::vector<Command<Window>>;

// The help menu both main windows end with, under each window's own item
// names: key help (Ctrl+K), the help file (Ctrl+F1), a separator, About.
template <class Window>
void appendHelpMenu(CommandTable<Window>& table, const char* menu, const char* keys, const char* help,
                    const char* separator, const char* about) {
  using C = Command<Window>;
  table.push_back(C::menuItem(menu, keys, QStringLiteral("Πλήκτρα"), &CatalogueSession::showKeyHelp,
                              QKeySequence(Qt::CTRL | Qt::Key_K)));
  table.push_back(C::menuItem(menu, help, QStringLiteral("Βοήθεια"), &CatalogueSession::showHelpContents,
                              QKeySequence(Qt::CTRL | Qt::Key_F1)));
  table.push_back(C::separator(menu, separator));
  table.push_back(C::menuItem(menu, about, QStringLiteral("Περί ..."), &CatalogueSession::showAbout));
}

// The switch both main windows end their search menu with, after a
// separator: the forgiving search, on or off for both windows at once.
template <class Window>
void appendForgivingSearchItem(CommandTable<Window>& table, const char* menu) {
  using C = Command<Window>;
  table.push_back(C::separator(menu, "mnuSepForgiving"));
  table.push_back(C::menuItem(menu, "mnuForgiving", QStringLiteral("&Χωρίς τόνους και κεφαλαία"),
                              &CatalogueSession::toggleForgivingSearch)
                      .asCheckable(&CatalogueSession::forgivingSearch));
}

// What both main windows end with: the forgiving switch at the end of the
// search menu "mnuSearch", then the help menu under the window's own names.
template <class Window>
void appendSharedMenus(CommandTable<Window>& table, const char* helpMenu, const char* keys, const char* help,
                       const char* separator, const char* about) {
  appendForgivingSearchItem(table, "mnuSearch");
  appendHelpMenu(table, helpMenu, keys, help, separator, about);
}

// Builds the menu bar: the menus in order, then each item and separator in
// table order. A part the edition lacks is built hidden (a hidden item does
// not answer to its shortcut either).
template <class Window, size_t Menus>
void buildMenuBar(QMenuBar* bar, const MenuTitle (&menus)[Menus], const CommandTable<Window>& table,
                  const Edition& edition, Window* window) {
  std::vector<QMenu*> built;
  for (const MenuTitle& title : menus) built.push_back(addNamedMenu(bar, title.name, title.caption));
  for (const Command<Window>& row : table) {
    if (!row.menu) continue;
    const auto menu =
        std::find_if(built.begin(), built.end(), [&](QMenu* m) { return m->objectName() == QLatin1String(row.menu); });
    Q_ASSERT(menu != built.end());
    QAction* action = nullptr;
    if (row.caption.isEmpty()) {
      action = addNamedSeparator(*menu, row.item);
    } else {
      action = addNamedItem(*menu, row.item, row.caption, row.shortcut);
      if (row.run) QObject::connect(action, &QAction::triggered, window, [window, run = row.run] { run(*window); });
    }
    action->setCheckable(row.checkable);
    if (row.checkedState) {
      action->setChecked(row.checkedState(*window));
      QObject::connect(*menu, &QMenu::aboutToShow, action,
                       [action, window, state = row.checkedState] { action->setChecked(state(*window)); });
    }
    if (!edition.has(row.studentsLack, Edition::Part::MenuItem)) action->setVisible(false);
  }
}

// Builds the buttons in tab order, `width` by `height` twips each, and
// returns them in that order. A button the edition lacks is built hidden.
template <class Window>
QList<QPushButton*> buildButtons(QWidget* parent, const CommandTable<Window>& table, const Edition& edition,
                                 Window* window, int width, int height) {
  std::vector<const Command<Window>*> rows;
  for (const Command<Window>& row : table)
    if (row.button.name) rows.push_back(&row);
  std::stable_sort(rows.begin(), rows.end(), [](auto* a, auto* b) { return a->button.tabOrder < b->button.tabOrder; });

  QList<QPushButton*> buttons;
  for (const Command<Window>* row : rows) {
    const ButtonPlace& place = row->button;
    auto* button = new QPushButton(place.caption, parent);
    // The access letters are served by the key filter, which knows them under
    // both keyboard layouts; the button's own shortcut would run them twice.
    button->setShortcut(QKeySequence());
    button->setObjectName(QString::fromLatin1(place.name));
    const bool moved = edition.isStudents() && place.studentsLeft >= 0;
    button->setGeometry(
        twipsRect(moved ? place.studentsLeft : place.left, moved ? place.studentsTop : place.top, width, height));
    if (!edition.has(row->studentsLack, Edition::Part::Button)) button->hide();
    QObject::connect(button, &QPushButton::clicked, window, [window, run = row->run] { run(*window); });
    buttons.append(button);
  }
  return buttons;
}

// Runs the first command whose key matches, if the edition has its key.
template <class Window>
void runKey(const CommandTable<Window>& table, const Edition& edition, Window* window, const VirtualKey& key) {
  for (const Command<Window>& row : table) {
    if (std::none_of(row.keys.begin(), row.keys.end(), [&](const KeyChord& chord) { return chord.matches(key); }))
      continue;
    if (edition.has(row.studentsLack, Edition::Part::Key)) row.run(*window);
    return;
  }
}
