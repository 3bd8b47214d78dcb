#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QStringList>
#include <memory>

#include "page_window/frmMulti.h"
#include "platform/widgets/TextSurface.h"
#include "support/FakeHost.h"
#include "support/FaultyFileIo.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

// A page window on a temporary catalogue with the scripted platform.
class PageWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    window.reset();
    EXPECT_EQ(tp.dialogs.pending(), 0) << "scripted answers left unused";
  }

  // Builds the window and runs its load step, as the record window does.
  frmMulti& load(const Edition& edition = Edition::librarian()) {
    window = std::make_unique<frmMulti>(tp.platform(), edition, host);
    host.unloadPage = [this] { window->unload(); };
    tp.dialogs.watch(window.get());
    window->Form_Load();
    window->show();
    return *window;
  }

  void trigger(const char* name) {
    QAction* action = window->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }

  // Books numbered 1..n with "Τίτλος i" as title and "Αθήνα" as publication data.
  static QList<QStringList> books(int n) {
    QList<QStringList> out;
    for (int i = 1; i <= n; ++i)
      out.append({QStringLiteral("Συγγραφέας %1").arg(i),
                  {},
                  QStringLiteral("Τίτλος %1").arg(i),
                  QStringLiteral("Αθήνα"),
                  QString::number(1000 + i),
                  {}});
    return out;
  }

  static QString recordCaption(int n, int count) {
    return QStringLiteral("Σ-Zelkor 3.2") + QString(64, u' ') +
           QStringLiteral("Εγγραφή:  %1  από  %2").arg(n).arg(count);
  }
  static QString progressCaption(int n, int count) {
    return QStringLiteral("Σ-Zelkor 3.2") + QString(49, u' ') +
           QStringLiteral("Διερευνώ Εγγραφή:  %1  από  %2").arg(n).arg(count);
  }

  // Index in a printed page of line 1..3 of row 1..8.
  static int printedLine(int row, int line) { return 3 + 6 * (row - 1) + 1 + line; }

  // The record numbers shown on the surface, from the label on each record's first line.
  QList<int> shownRecords() const {
    QList<int> out;
    for (const TextSurface::Run& run : window->surface().runs())
      if (run.text.startsWith(QStringLiteral("Αρ.Εγγρ.="))) out.append(run.text.mid(9).trimmed().toInt());
    return out;
  }

  TempCatalogue cat;
  TestPlatform tp;
  FakeHost host;
  std::unique_ptr<frmMulti> window;
};
