// Times the windows' real search handlers on a generated catalogue against
// plain scans of the same file:
//   lomira_bench DIR [REPEATS [ONLY]]
// ONLY (notfound, allno or page) runs that one search without the baselines,
// for a profiler.
// DIR holds Zelkor.dat. Offscreen unless QT_QPA_PLATFORM says otherwise; on
// xcb the windows are shown and their caption changes are counted as another
// X client sees them.
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "Baselines.h"
#include "BenchPlatform.h"
#include "CaptionWatch.h"
#include "CatalogueGenerator.h"
#include "TestPlatform.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/Cp1253.h"
#include "editions/Edition.h"
#include "page_window/frmMulti.h"
#include "platform/Platform.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

const std::vector<int> kTitle{2};
const std::vector<int> kAuthorTitle{0, 1, 2, 3};

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The outside world of the windows: scripted answers, a printer that drops
// its jobs, and the tests' fakes for what a search never touches.
struct BenchWorld {
  BenchDialogs dialogs;
  DroppingSink sink;
  PrintDocument printer{sink};
  FixedClock clock;
  FakeHelpEngine help;
  FakeRegistry registry;
  FakeLauncher launcher;
  SystemFileIoFactory files;
  QuietHost host;
  Platform platform() { return Platform{dialogs, printer, clock, help, registry, launcher, files}; }
};

struct Timed {
  double seconds = 0;  // median
  double titlePushesPerSecond = 0;
  double serverUpdatesPerSecond = -1;  // -1: not measured
};

class Bench {
 public:
  Bench(QString file, int repeats) : m_file(std::move(file)), m_repeats(repeats) {}

  template <typename F>
  baseline::Result base(F scan) {
    std::vector<double> times;
    baseline::Result r;
    for (int i = 0; i < m_repeats; ++i) {
      r = scan();
      if (!r.ok) fail(u"a baseline could not read the catalogue"_s);
      times.push_back(r.seconds);
    }
    r.seconds = median(times);
    return r;
  }

  // Runs the handler `repeats` times on a shown or hidden window, timing
  // each run from the click to the handler's return.
  Timed window(QWidget& w, const std::function<void()>& handler, const std::function<void()>& check) {
    CaptionWatch watch(w);
    const bool spying = watch.startServerSpy();
    std::vector<double> times;
    double total = 0;
    for (int i = 0; i < m_repeats; ++i) {
      const auto start = std::chrono::steady_clock::now();
      handler();
      const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      times.push_back(s);
      total += s;
      check();
      // Back in the event loop, as after any click: what the window system
      // sent meanwhile (the property changes of every caption) is handled.
      QTest::qWait(100);
    }
    Timed t;
    t.seconds = median(times);
    t.titlePushesPerSecond = double(watch.titleChanges()) / total;
    if (spying) t.serverUpdatesPerSecond = double(watch.stopServerSpy()) / total;
    return t;
  }

  void expect(bool ok, const QString& what) {
    if (!ok) fail(what);
  }
  void fail(const QString& what) {
    std::printf("CHECK FAILED: %s\n", qPrintable(what));
    m_failed = true;
  }
  bool failed() const { return m_failed; }
  const QString& file() const { return m_file; }

 private:
  QString m_file;
  int m_repeats;
  bool m_failed = false;
};

void showFor(QWidget& w) {
  if (QGuiApplication::platformName() != u"xcb"_s) return;
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) std::printf("warning: window not exposed\n");
}

void printRow(const char* name, double seconds, const baseline::Result& block, const baseline::Result& memmem,
              const baseline::Result& perRecord) {
  std::printf("%-44s %9.4f s   x%6.2f block   x%6.2f memmem   x%6.2f per-record\n", name, seconds,
              seconds / block.seconds, seconds / memmem.seconds, seconds / perRecord.seconds);
}

void printCaptionRates(const Timed& t) {
  std::printf("%-44s %9.1f captions/s given to Qt", "", t.titlePushesPerSecond);
  if (t.serverUpdatesPerSecond >= 0) std::printf(", %.1f/s seen by the X server", t.serverUpdatesPerSecond);
  std::printf("\n");
}

void goal(const char* what, bool met, const QString& detail) {
  std::printf("goal %-60s %s (%s)\n", what, met ? "MET" : "MISSED", qPrintable(detail));
}

// The searches through the real windows. A negative expected count is not
// checked (a profiling run measures no baselines).
struct Searches {
  Timed notFound, allNo, page;
};

void runRecordWindow(Bench& bench, BenchWorld& world, const QString& only, long long titleMatches, Searches& out) {
  if (!only.isEmpty() && only != u"notfound"_s && only != u"allno"_s) return;
  frmZelkor w(world.platform(), Edition::librarian(), world.host);
  w.Form_Load();
  showFor(w);
  const QString loadedCaption = w.windowTitle();

  if (only.isEmpty() || only == u"notfound"_s) {
    world.dialogs.typeNext(benchgen::absentText());
    out.notFound = bench.window(
        w, [&] { world.dialogs.reset(), w.cmdFindTitle_Click(); },
        [&] {
          bench.expect(world.dialogs.questions == 0 && world.dialogs.notices == 1 &&
                           world.dialogs.lastNotice == u"Το Κείμενο "_s + benchgen::absentText() + u" δεν Βρέθηκε"_s,
                       u"the record window's fruitless search did not end with its not-found message"_s);
          bench.expect(w.windowTitle() == loadedCaption,
                       u"after a fruitless search the caption is not the record caption again"_s);
        });
  }
  if (only.isEmpty() || only == u"allno"_s) {
    world.dialogs.typeNext(benchgen::marker());
    out.allNo = bench.window(
        w, [&] { world.dialogs.reset(), w.cmdFindTitle_Click(); },
        [&] {
          bench.expect((titleMatches < 0 || world.dialogs.questions == titleMatches) && world.dialogs.notices == 1 &&
                           world.dialogs.lastNotice == u"Δεν Υπάρχει Άλλη Όμοια Εγγραφή"_s,
                       u"the record window's search did not ask once per match"_s);
        });
  }
  bench.expect(!world.host.ended, u"the record window ended the program"_s);
}

void runPageWindow(Bench& bench, BenchWorld& world, const QString& only, long long matches, Searches& out) {
  if (!only.isEmpty() && only != u"page"_s) return;
  frmMulti m(world.platform(), Edition::librarian(), world.host);
  m.Form_Load();
  showFor(m);
  world.dialogs.typeNext(benchgen::marker());
  out.page = bench.window(
      m, [&] { world.dialogs.reset(), m.mnuAuthorTitle_Click(); },
      [&] {
        bench.expect(
            (matches < 0 || world.dialogs.questions == matches / frmMulti::kRows + 1) && world.dialogs.notices == 0,
            u"the page search did not ask once per full page and once for the last records"_s);
        bench.expect(m.windowTitle() == u"Σ-Zelkor 3.2: Παρουσίαση Πολλαπλών Εγγραφών"_s,
                     u"after the page search the caption is not the page caption"_s);
      });
  bench.expect(!world.host.ended, u"the page window ended the program"_s);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR [REPEATS [notfound|allno|page]]\n", argv[0]);
    return 2;
  }
  const int repeats = argc > 2 ? qMax(1, std::atoi(argv[2])) : 5;
  const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
  // The windows open "Zelkor.dat" in the working directory.
  if (!QDir::setCurrent(QFile::decodeName(argv[1]))) {
    std::fprintf(stderr, "%s: no such folder\n", argv[1]);
    return 2;
  }
  const QString file = QDir::current().absoluteFilePath(QString::fromLatin1(CatalogueFile::kFileName));
  const qint64 bytes = QFileInfo(file).size();
  const qint32 records = CatalogueFile::recordCountForLength(bytes);
  const bool x11 = QGuiApplication::platformName() == u"xcb"_s;
  std::printf("catalogue %s: %d records, %lld bytes; platform %s; median of %d runs\n", qPrintable(file), records,
              bytes, qPrintable(QGuiApplication::platformName()), repeats);

  Bench bench(file, repeats);
  BenchWorld world;
  Searches searches;
  if (!only.isEmpty()) {
    runRecordWindow(bench, world, only, -1, searches);
    runPageWindow(bench, world, only, -1, searches);
    std::printf("%s: %.4f s\n", qPrintable(only),
                searches.notFound.seconds + searches.allNo.seconds + searches.page.seconds);
    return bench.failed() ? 1 : 0;
  }

  const QByteArray absent = cp1253::encode(benchgen::absentText());
  const QByteArray marker = cp1253::encode(benchgen::marker());
  baseline::blockRead(file);  // warms the page cache
  const baseline::Result block = bench.base([&] { return baseline::blockRead(file); });
  const baseline::Result titleMemmem = bench.base([&] { return baseline::fieldMemmem(file, absent, kTitle); });
  const baseline::Result titlePerRecord = bench.base([&] { return baseline::perRecordRead(file, absent, kTitle); });
  const baseline::Result markerTitle = bench.base([&] { return baseline::fieldMemmem(file, marker, kTitle); });
  const baseline::Result fourMemmem = bench.base([&] { return baseline::fieldMemmem(file, marker, kAuthorTitle); });
  const baseline::Result fourPerRecord =
      bench.base([&] { return baseline::perRecordRead(file, marker, kAuthorTitle); });
  bench.expect(titleMemmem.matches == 0, u"the absent text occurs in the catalogue"_s);

  std::printf("\nbaselines\n");
  std::printf("%-44s %9.4f s\n", "read whole file, 1 MiB blocks", block.seconds);
  std::printf("%-44s %9.4f s   (%lld matches)\n", "memmem, title field", titleMemmem.seconds, titleMemmem.matches);
  std::printf("%-44s %9.4f s\n", "per-record pread + memmem, title field", titlePerRecord.seconds);
  std::printf("%-44s %9.4f s   (%lld matches)\n", "memmem, fields 1-4", fourMemmem.seconds, fourMemmem.matches);
  std::printf("%-44s %9.4f s\n", "per-record pread + memmem, fields 1-4", fourPerRecord.seconds);

  runRecordWindow(bench, world, only, markerTitle.matches, searches);
  runPageWindow(bench, world, only, fourMemmem.matches, searches);
  bench.expect(world.sink.jobs == 0, u"a search printed although every question was answered No"_s);

  std::printf("\nsearches through the real windows (%s)\n", x11 ? "shown on X11" : "offscreen");
  printRow("record window, title, nothing found", searches.notFound.seconds, block, titleMemmem, titlePerRecord);
  printCaptionRates(searches.notFound);
  printRow("record window, title, every match No", searches.allNo.seconds, block, markerTitle, titlePerRecord);
  printCaptionRates(searches.allNo);
  printRow("page window, fields 1-4, 1% match, all No", searches.page.seconds, block, fourMemmem, fourPerRecord);
  printCaptionRates(searches.page);

  const long rss = peakRssKb();
  std::printf("\npeak resident memory: %ld kB\n\n", rss);

  const double a = searches.notFound.seconds / titleMemmem.seconds;
  if (!x11) {
    goal("record window, nothing found, within 1.5x memmem", a <= 1.5, u"x%1"_s.arg(a, 0, 'f', 2));
    const double p = titlePerRecord.seconds / searches.notFound.seconds;
    goal("record window, nothing found, 2x faster than per-record", p >= 2, u"%1x faster"_s.arg(p, 0, 'f', 2));
  } else {
    goal("record window on X11, nothing found, within 2x memmem", a <= 2, u"x%1"_s.arg(a, 0, 'f', 2));
    goal("record window on X11, at least 20 captions/s seen", searches.notFound.serverUpdatesPerSecond >= 20,
         u"%1/s"_s.arg(searches.notFound.serverUpdatesPerSecond, 0, 'f', 1));
  }
  const double c = searches.page.seconds / fourMemmem.seconds;
  goal("page window, 1% match, within 2x memmem", c <= 2, u"x%1"_s.arg(c, 0, 'f', 2));
  std::printf("RESULT records=%d platform=%s peak_rss_kb=%ld\n", records, qPrintable(QGuiApplication::platformName()),
              rss);
  return bench.failed() ? 1 : 0;
}
