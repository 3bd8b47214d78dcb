// A scripted day at the librarian's desk (open, browse, save, new record,
// delete, end), run again and again with the N-th file call failing. After
// every run the catalogue is whole: its length a multiple of 350, each record
// holding bytes it held at some moment of the fault-free run, and the
// failure was told to the user before the program ended.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

#include "app/Application.h"
#include "record_window/frmZelkor.h"
#include "support/FaultyFileIo.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

// Says Yes to every question and OK to every notice, and keeps the texts.
class AgreeingDialogs : public Dialogs {
 public:
  Answer message(const QString& text, const QString&, Buttons buttons, Icon, Answer) override {
    texts.append(text);
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
  }
  QString input(const QString&, const QString&) override { return {}; }
  SaveChoice saveFile(const QString&, const QString&, const QStringList&, const SaveOption&) override { return {}; }
  void beep() override {}
  QStringList texts;
};

constexpr int kRecord = 350;

QList<QByteArray> recordsOf(const QByteArray& file) {
  QList<QByteArray> out;
  for (qsizetype at = 0; at < file.size(); at += kRecord) out.append(file.mid(at, kRecord));
  return out;
}

struct DayRun {
  QStringList messages;
  QList<QByteArray> snapshots;  // the file after each step
  bool ended = false;
};

// Runs the day on a fresh three-record catalogue with the given files.
DayRun runDay(FileIoFactory& files) {
  TempCatalogue cat;
  cat.setRecords({{u"Ρίτσος, Γιάννης"_s, {}, u"Επιτάφιος"_s},
                  {u"Σεφέρης, Γιώργος"_s, {}, u"Ποιήματα"_s},
                  {u"Ελύτης, Οδυσσέας"_s, {}, u"Το Άξιον Εστί"_s}});
  TestPlatform tp;
  AgreeingDialogs dialogs;
  tp.files = &files;
  Platform base = tp.platform();
  Platform platform{dialogs,       base.printer,  base.clock, base.help,
                    base.registry, base.launcher, base.files, base.settings};

  DayRun run;
  run.snapshots.append(cat.bytes());
  Application app(platform, Edition::librarian());
  auto window = [&]() -> frmZelkor& { return app.recordWindow(); };
  auto type = [&](const QString& text) { window().findChild<QLineEdit*>(u"txtEpo"_s)->setText(text); };
  auto act = [&](const char* name) { window().findChild<QAction*>(QString::fromLatin1(name))->trigger(); };
  const std::function<void()> steps[] = {
      [&] { app.start(); },
      [&] { act("mnuNext"); },
      [&] { type(u"Σεφέρης, Γ."_s), act("mnuSave"); },
      [&] { act("mnuNew"); },
      [&] { window().findChild<QPushButton*>(u"cmdDelete"_s)->click(); },
      [&] { type(u"Καβάφης, Κ. Π."_s), act("mnuEnd"); },
  };
  for (const auto& step : steps) {
    if (app.ended()) break;
    step();
    run.snapshots.append(cat.bytes());
  }
  run.ended = app.ended();
  run.messages = dialogs.texts;
  return run;
}

TEST(FaultLoopTest, EveryFailedFileCallLeavesTheCatalogueWholeAndIsReported) {
  FaultyFileIoFactory files;
  const DayRun clean = runDay(files);
  const int calls = files.calls();
  ASSERT_GT(calls, 10);
  ASSERT_TRUE(clean.ended);
  for (const QString& m : clean.messages) ASSERT_FALSE(m.contains(u"Zelkor.dat"_s)) << m.toStdString();

  // Every value each record held at some moment of the fault-free day.
  QList<QSet<QByteArray>> allowed;
  for (const QByteArray& snapshot : clean.snapshots) {
    const QList<QByteArray> records = recordsOf(snapshot);
    while (allowed.size() < records.size()) allowed.append(QSet<QByteArray>{QByteArray()});
    for (int k = 0; k < records.size(); ++k) allowed[k].insert(records[k]);
  }

  struct Fault {
    const char* name;
    std::function<void(FaultyFileIoFactory&, int)> plan;
  };
  const Fault faults[] = {
      {"disk full once", [](FaultyFileIoFactory& f, int n) { f.failCall(n, ENOSPC); }},
      {"I/O error from then on",
       [](FaultyFileIoFactory& f, int n) { f.failCall(n, EIO, FaultyFileIoFactory::Repeat::FromThenOn); }},
      {"short write", [](FaultyFileIoFactory& f, int n) { f.shortenWrite(n, 100); }},
  };
  for (const Fault& fault : faults) {
    for (int n = 1; n <= calls; ++n) {
      SCOPED_TRACE(std::string(fault.name) + ", call " + std::to_string(n));
      files.reset();
      fault.plan(files, n);
      const DayRun run = runDay(files);
      ASSERT_TRUE(files.faultHit());
      const QByteArray last = run.snapshots.last();
      EXPECT_EQ(last.size() % kRecord, 0) << "torn file of " << last.size() << " bytes";
      const QList<QByteArray> records = recordsOf(last);
      ASSERT_LE(records.size(), allowed.size());
      for (int k = 0; k < records.size(); ++k)
        EXPECT_TRUE(allowed[k].contains(records[k])) << "record " << k + 1 << " holds bytes it never held";
      EXPECT_TRUE(run.ended) << "the program went on after a failed file call";
      const bool reported = std::any_of(run.messages.begin(), run.messages.end(),
                                        [](const QString& m) { return m.contains(u"Zelkor.dat"_s); });
      EXPECT_TRUE(reported) << "the failure was not told: " << files.log().join(u" | "_s).toStdString();
    }
  }
}

}  // namespace
