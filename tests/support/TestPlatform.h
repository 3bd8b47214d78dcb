#pragma once

#include <QList>
#include <QMap>
#include <QPainter>
#include <QPicture>
#include <QSet>
#include <QStringList>

#include "platform/Platform.h"
#include "support/MemorySettings.h"
#include "support/ScriptedDialogs.h"

// Keeps every finished print job for assertions.
class RecordingSink : public PrintSink {
 public:
  void send(const PrintJob& job) override { jobs.append(job); }
  // Draws every page as the real sink does, so that a job stopped while it
  // draws is seen to stop.
  DrawingResult sendDrawing(const DrawingJob& job) override {
    for (int page = 0; page < job.pages; ++page) {
      QPicture picture;
      QPainter painter(&picture);
      if (!job.draw(painter, page)) return {false, true, QString()};
    }
    drawings.append(job);
    return {true, false, QString()};
  }
  QList<PrintJob> jobs;
  QList<DrawingJob> drawings;
};

// A fixed time of day; the steady time runs as the system's unless a test
// sets it.
class FixedClock : public Clock {
 public:
  QDateTime now() const override { return moment; }
  qint64 steadyMs() const override { return steady >= 0 ? steady : m_system.steadyMs(); }
  // The moment as printed headings write it, with the system's separators
  // ("6/12/2026, 08:57" where they are "/" and ":").
  QString printedMoment() const { return ::printedMoment(moment); }
  QDateTime moment{QDate(2026, 12, 6), QTime(8, 57)};
  qint64 steady = -1;

 private:
  SystemClock m_system;
};

class FakeHelpEngine : public HelpEngine {
 public:
  struct Call {
    QString file;
    int command;
  };
  void showHelp(const QString& helpFile, int command) override { calls.append({helpFile, command}); }
  QList<Call> calls;
};

// A registry of string and number values that counts the keys left open.
class FakeRegistry : public Registry {
 public:
  struct Value {
    std::uint32_t type;
    QByteArray data;
  };
  void setString(const QString& key, const QString& name, const QByteArray& bytesWithZero);
  void setDword(const QString& key, const QString& name, std::uint32_t value);

  long openKey(Key root, const QString& subKey, std::uint32_t accessMask, Key* result) override;
  long queryValue(Key key, const QString& valueName, std::uint32_t* type, char* buffer, std::uint32_t* size) override;
  long closeKey(Key key) override;

  int openHandles = 0;

 private:
  QMap<QString, QMap<QString, Value>> m_keys;
  QMap<Key, QString> m_open;
  Key m_next = 100;
};

class FakeLauncher : public Launcher {
 public:
  bool start(const QString& path) override {
    started.append(path);
    return startable.contains(path);
  }
  bool fileExists(const QString& path) override { return files.contains(path); }
  QStringList started;
  QSet<QString> startable;
  QSet<QString> files;
};

// The scripted Platform bundle a window test builds its windows with.
struct TestPlatform {
  ScriptedDialogs dialogs;
  RecordingSink sink;
  PrintDocument printer{sink};
  FixedClock clock;
  FakeHelpEngine help;
  FakeRegistry registry;
  FakeLauncher launcher;
  SystemFileIoFactory systemFiles;
  FileIoFactory* files = &systemFiles;  // tests may point this at a faulty factory
  MemorySettings settings;
  CatalogueExporter* exporter = nullptr;  // a librarian's window test gives one
  CatalogueImporter* importer = nullptr;  // likewise
  LoansLister* loans = nullptr;           // likewise
  LabelPrinter* labels = nullptr;         // likewise

  Platform platform() {
    return Platform{dialogs, printer,  clock,    help,     registry, launcher,
                    *files,  settings, exporter, importer, loans,    labels};
  }
};

// The librarian's record window caption at record n of count.
inline QString recordWindowCaption(int n, int count) {
  return QStringLiteral("Σ-Zelkor 3.2: Καταχώριση/Διερεύνηση           Εγγραφή: ") + QString::number(n).prepend(u' ') +
         QStringLiteral("  από ") + QString::number(count).prepend(u' ');
}
