#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QStringList>
#include <memory>

#include "page_window/frmMulti.h"
#include "platform/TextSurface.h"
#include "platform/WindowHost.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

// Stands in for the application object: logs what the page window asks of it.
class FakeHost : public WindowHost {
 public:
  void loadRecordWindow() override { calls.append(QStringLiteral("loadRecordWindow")); }
  void loadPageWindow() override { calls.append(QStringLiteral("loadPageWindow")); }
  void unloadRecordWindow() override { calls.append(QStringLiteral("unloadRecordWindow")); }
  void unloadPageWindow() override {
    calls.append(QStringLiteral("unloadPageWindow"));
    if (page) page->unload();
  }
  void showKeyHelp() override { calls.append(QStringLiteral("showKeyHelp")); }
  void showAbout() override { calls.append(QStringLiteral("showAbout")); }
  void endProgram() override {
    calls.append(QStringLiteral("endProgram"));
    if (page) page->unload();
  }

  QStringList calls;
  frmMulti* page = nullptr;
};

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
    host.page = window.get();
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

// The system's file calls, failing the opening or every read after the first
// `readsBeforeFailure` reads.
class FaultyFileIo : public FileIo {
 public:
  FaultyFileIo(bool failOpen, int readsBeforeFailure)
      : m_inner(makeSystemFileIo()), m_failOpen(failOpen), m_readsLeft(readsBeforeFailure) {}
  bool open(const QString& path, Mode mode) override {
    if (m_failOpen) return false;
    return m_inner->open(path, mode);
  }
  void close() override { m_inner->close(); }
  bool isOpen() const override { return m_inner->isOpen(); }
  qint64 readAt(qint64 offset, char* buffer, qint64 length) override {
    if (m_readsLeft-- <= 0) return -1;
    return m_inner->readAt(offset, buffer, length);
  }
  qint64 writeAt(qint64 offset, const char* data, qint64 length) override {
    return m_inner->writeAt(offset, data, length);
  }
  qint64 size() override { return m_inner->size(); }
  bool truncate(qint64 length) override { return m_inner->truncate(length); }
  bool sync() override { return m_inner->sync(); }
  bool stillAt(const QString& path) override { return m_inner->stillAt(path); }
  int lastErrno() const override { return m_failOpen || m_readsLeft < 0 ? 5 : m_inner->lastErrno(); }

 private:
  std::unique_ptr<FileIo> m_inner;
  bool m_failOpen;
  int m_readsLeft;
};

class FaultyFiles : public FileIoFactory {
 public:
  FaultyFiles(bool failOpen, int readsBeforeFailure) : m_failOpen(failOpen), m_reads(readsBeforeFailure) {}
  std::unique_ptr<FileIo> make() override { return std::make_unique<FaultyFileIo>(m_failOpen, m_reads); }

 private:
  bool m_failOpen;
  int m_reads;
};
