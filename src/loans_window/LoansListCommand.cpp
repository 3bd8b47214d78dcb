#include "loans_window/LoansListCommand.h"

#include <QApplication>

#include "loans_window/LoansWindow.h"

qint32 LoansListCommand::showLoans(const QString& cataloguePath, Platform& platform, const QString& productTitle) {
  LoansWindow window(platform, cataloguePath, productTitle, QApplication::activeWindow());
  if (!window.load()) return 0;
  window.exec();
  return window.chosenCode();
}
