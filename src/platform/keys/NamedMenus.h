#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QString>

// Menus built so that every menu, item and separator carries its name as
// objectName: tests find them by it and readers grep for it.

inline QMenu* addNamedMenu(QMenuBar* bar, const char* name, const QString& caption) {
  QMenu* menu = bar->addMenu(caption);
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

inline QAction* addNamedSeparator(QMenu* menu, const char* name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(QString::fromLatin1(name));
  return separator;
}

// An item; its owner connects what it runs.
inline QAction* addNamedItem(QMenu* menu, const char* name, const QString& caption,
                             const QKeySequence& shortcut = QKeySequence()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}
