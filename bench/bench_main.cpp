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
#include <cstdio>

#include "Baselines.h"
#include "BenchRuns.h"
#include "CatalogueGenerator.h"
#include "catalogue/Cp1253.h"
#include "catalogue/file/CatalogueFile.h"

using namespace Qt::StringLiterals;

namespace {

const std::vector<int> kTitle{2};
const std::vector<int> kAuthorTitle{0, 1, 2, 3};

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
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

  Bench bench(repeats);
  BenchWorld world;
  Searches searches;
  if (!only.isEmpty()) {
    runRecordWindow(bench, world, only, -1, searches);
    runPageWindow(bench, world, only, -1, searches);
    std::printf("%s: %.4f s\n", qPrintable(only),
                searches.notFound.seconds + searches.forgivingNotFound.seconds + searches.allNo.seconds +
                    searches.page.seconds + searches.forgivingPage.seconds);
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
  // The forgiving search with the marker as a student types it.
  const auto [exactAbsent, forgivingAbsent] =
      bench.paired([&] { return baseline::exactScan(file, benchgen::absentText(), kTitle); },
                   [&] { return baseline::forgivingScan(file, benchgen::absentText(), kTitle); });
  const auto [exactFour, forgivingFour] =
      bench.paired([&] { return baseline::exactScan(file, benchgen::marker(), kAuthorTitle); },
                   [&] { return baseline::forgivingScan(file, typedMarker(), kAuthorTitle); });
  bench.expect(forgivingAbsent.matches == 0, u"the forgiving scan finds the absent text"_s);
  bench.expect(exactFour.matches == fourMemmem.matches && forgivingFour.matches == fourMemmem.matches,
               u"the scans with the matchers do not find what memmem finds"_s);

  std::printf("\nbaselines\n");
  std::printf("%-44s %9.4f s\n", "read whole file, 1 MiB blocks", block.seconds);
  std::printf("%-44s %9.4f s   (%lld matches)\n", "memmem, title field", titleMemmem.seconds, titleMemmem.matches);
  std::printf("%-44s %9.4f s\n", "per-record pread + memmem, title field", titlePerRecord.seconds);
  std::printf("%-44s %9.4f s   (%lld matches)\n", "memmem, fields 1-4", fourMemmem.seconds, fourMemmem.matches);
  std::printf("%-44s %9.4f s\n", "per-record pread + memmem, fields 1-4", fourPerRecord.seconds);
  std::printf("%-44s %9.4f s\n", "scan, exact, title, nothing found", exactAbsent.seconds);
  std::printf("%-44s %9.4f s   x%6.2f exact\n", "scan, forgiving, title, nothing found", forgivingAbsent.seconds,
              forgivingAbsent.seconds / exactAbsent.seconds);
  std::printf("%-44s %9.4f s\n", "scan, exact, fields 1-4", exactFour.seconds);
  std::printf("%-44s %9.4f s   x%6.2f exact\n", "scan, forgiving, fields 1-4", forgivingFour.seconds,
              forgivingFour.seconds / exactFour.seconds);

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
  std::printf("%-44s %9.4f s   x%6.2f exact\n", "record window, forgiving, nothing found",
              searches.forgivingNotFound.seconds, searches.forgivingNotFound.seconds / searches.notFound.seconds);
  std::printf("%-44s %9.4f s   x%6.2f exact\n", "page window, forgiving, fields 1-4", searches.forgivingPage.seconds,
              searches.forgivingPage.seconds / searches.page.seconds);

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
  const double f = forgivingAbsent.seconds / exactAbsent.seconds;
  goal("forgiving scan, title, nothing found, within 1.3x exact", f <= 1.3, u"x%1"_s.arg(f, 0, 'f', 2));
  const double g = forgivingFour.seconds / exactFour.seconds;
  goal("forgiving scan, fields 1-4, within 1.3x exact", g <= 1.3, u"x%1"_s.arg(g, 0, 'f', 2));
  const double h = searches.forgivingNotFound.seconds / searches.notFound.seconds;
  goal("record window, forgiving, nothing found, within 1.3x exact", h <= 1.3, u"x%1"_s.arg(h, 0, 'f', 2));
  const double k = searches.forgivingPage.seconds / searches.page.seconds;
  goal("page window, forgiving, fields 1-4, within 1.3x exact", k <= 1.3, u"x%1"_s.arg(k, 0, 'f', 2));
  std::printf("RESULT records=%d platform=%s peak_rss_kb=%ld\n", records, qPrintable(QGuiApplication::platformName()),
              rss);
  return bench.failed() ? 1 : 0;
}
