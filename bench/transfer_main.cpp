// Times the catalogue tool's csv export, the import of that csv into a new
// catalogue, and the check on a generated catalogue against a plain
// sequential read of the same file, in the same run:
//   lomira_bench_transfer DIR [REPEATS]
// DIR holds Zelkor.dat; the export goes to DIR/export.csv and the import to
// DIR/import.dat, both removed.
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "Baselines.h"
#include "catalogue/CatalogueFile.h"
#include "transfer/Check.h"
#include "transfer/export/Export.h"
#include "transfer/import/Import.h"

namespace {

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// The median of `repeats` timed runs; a run that fails makes the bench fail.
// `before` runs untimed ahead of each.
double medianOf(
    int repeats, const std::function<bool()>& run, bool& failed, const std::function<void()>& before = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    before();
    const auto start = std::chrono::steady_clock::now();
    if (!run()) failed = true;
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The floor for any export: the catalogue read in 1 MiB blocks and `bytes`
// of it written to a new file, synced, as the export writes its output.
// Both write a new file: freeing the blocks of the one they would replace
// is the file system's work, not theirs.
bool copyAndSync(const QString& from, const QString& to, qint64 bytes) {
  const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
  const int out = ::open(QFile::encodeName(to).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  std::vector<char> block(1 << 20);
  bool ok = in >= 0 && out >= 0;
  for (qint64 left = bytes; ok && left > 0;) {
    ssize_t got = ::read(in, block.data(), block.size());
    if (got == 0) got = ::pread(in, block.data(), block.size(), 0);  // past the end: go round again
    const ssize_t want = ssize_t(std::min<qint64>(got, left));
    ok = got > 0 && ::write(out, block.data(), size_t(want)) == want;
    left -= want;
  }
  ok = ok && ::fdatasync(out) == 0;
  if (in >= 0) ::close(in);
  if (out >= 0) ::close(out);
  return ok;
}

bool goal(const char* what, double ratio, double limit) {
  const bool met = ratio <= limit;
  std::printf("goal %-60s %s (x%.2f)\n", what, met ? "MET" : "MISSED", ratio);
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR [REPEATS]\n", argv[0]);
    return 2;
  }
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const QDir dir(QFile::decodeName(argv[1]));
  const QString catalogue = dir.absoluteFilePath(QString::fromLatin1(CatalogueFile::kFileName));
  const QString csv = dir.absoluteFilePath(QStringLiteral("export.csv"));
  const qint64 bytes = QFileInfo(catalogue).size();
  std::printf("catalogue %s: %d records, %lld bytes; median of %d runs\n", qPrintable(catalogue),
              CatalogueFile::recordCountForLength(bytes), bytes, repeats);

  bool failed = false;
  baseline::blockRead(catalogue);  // warms the page cache
  const double read = medianOf(
      repeats, [&] { return baseline::blockRead(catalogue).ok; }, failed);
  qint64 exported = 0;
  const auto removeCsv = [&] { QFile::remove(csv); };
  const double exportCsv = medianOf(
      repeats,
      [&] {
        const ExportResult r = exportCatalogue(catalogue, csv, {ExportFormat::Csv, true});
        exported = r.records;
        return r.status == ExportResult::Status::Done;
      },
      failed, removeCsv);
  const qint64 csvBytes = QFileInfo(csv).size();
  // The export read back into a new catalogue: every record, byte for byte.
  const QString imported = dir.absoluteFilePath(QStringLiteral("import.dat"));
  const auto removeImported = [&] { QFile::remove(imported); };
  qint64 importedRecords = 0;
  const double importCsv = medianOf(
      repeats,
      [&] {
        const ImportResult r = importIntoCatalogue(csv, imported, {});
        importedRecords = r.count;
        return r.status == ImportResult::Status::Done;
      },
      failed, removeImported);
  removeImported();
  if (importedRecords != exported) failed = true;
  const double copy = medianOf(
      repeats, [&] { return copyAndSync(catalogue, csv, csvBytes); }, failed, removeCsv);
  removeCsv();
  const double check = medianOf(
      repeats, [&] { return checkCatalogue(catalogue).readable; }, failed);

  std::printf("\n%-44s %9.4f s\n", "read whole file, 1 MiB blocks", read);
  std::printf("%-44s %9.4f s   x%6.2f read\n", "read, write as many bytes as the csv, sync", copy, copy / read);
  std::printf("%-44s %9.4f s   x%6.2f read   x%5.2f copy   (%lld records, %lld bytes)\n", "export csv", exportCsv,
              exportCsv / read, exportCsv / copy, exported, csvBytes);
  std::printf("%-44s %9.4f s   x%6.2f read   x%5.2f export   (%lld records)\n", "import the csv into a new catalogue",
              importCsv, importCsv / read, importCsv / exportCsv, importedRecords);
  std::printf("%-44s %9.4f s   x%6.2f read\n", "check", check, check / read);
  const long rss = peakRssKb();
  std::printf("\npeak resident memory: %ld kB\n\n", rss);
  goal("export csv within 8x a plain read, one thread", exportCsv / read, 8);
  goal("check within 5x a plain read", check / read, 5);
  goal("import of the csv within 5x its export", importCsv / exportCsv, 5);
  std::printf("RESULT records=%d peak_rss_kb=%ld\n", CatalogueFile::recordCountForLength(bytes), rss);
  return failed ? 1 : 0;
}
