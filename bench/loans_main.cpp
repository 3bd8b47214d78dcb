// Times the overdue list (every record read, each borrower field read, the
// loans sorted into classes and pupils) on a generated catalogue against a
// plain block read of the same file, in the same run:
//   lomira_bench_loans DIR [REPEATS]
// DIR holds Zelkor.dat; the day of the list is fixed, so every run lists alike.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "Baselines.h"
#include "catalogue/CatalogueFile.h"
#include "loans/LoanList.h"
#include "loans/LoanScan.h"

namespace {

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

double medianOf(int repeats, const std::function<bool()>& run, bool& failed) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!run()) failed = true;
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Listed {
  int books = 0;
  int pupils = 0;
  size_t unreadable = 0;
};

bool listLoans(const QString& path, bool everything, Listed& out) {
  CatalogueFile file;
  if (!file.open(path, FileIo::Mode::ReadOnly)) return false;
  loans::LoanListBuilder builder(QDate(2026, 12, 8), everything);
  if (loans::scanLoans(file, builder) != loans::ScanEnd::Done) return false;
  const loans::LoanList list = builder.finish();
  out = {list.books, list.pupils, list.unreadable.size()};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s DIR [REPEATS]\n", argv[0]);
    return 2;
  }
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const QString catalogue =
      QDir(QFile::decodeName(argv[1])).absoluteFilePath(QString::fromLatin1(CatalogueFile::kFileName));
  const qint64 bytes = QFileInfo(catalogue).size();
  const qint32 records = CatalogueFile::recordCountForLength(bytes);
  std::printf("catalogue %s: %d records, %lld bytes; median of %d runs\n", qPrintable(catalogue), records, bytes,
              repeats);

  bool failed = false;
  baseline::blockRead(catalogue);  // warms the page cache
  const double read = medianOf(
      repeats, [&] { return baseline::blockRead(catalogue).ok; }, failed);
  Listed late, all;
  const double overdue = medianOf(
      repeats, [&] { return listLoans(catalogue, false, late); }, failed);
  const double everything = medianOf(
      repeats, [&] { return listLoans(catalogue, true, all); }, failed);

  std::printf("\n%-44s %9.4f s\n", "read whole file, 1 MiB blocks", read);
  std::printf("%-44s %9.4f s   x%6.2f read   (%d books, %d pupils, %zu unreadable)\n", "overdue list", overdue,
              overdue / read, late.books, late.pupils, late.unreadable);
  std::printf("%-44s %9.4f s   x%6.2f read   (%d books, %d pupils)\n", "everything still out", everything,
              everything / read, all.books, all.pupils);
  const long rss = peakRssKb();
  std::printf("\npeak resident memory: %ld kB\n\n", rss);
  const bool met = overdue / read <= 3;
  std::printf("goal %-60s %s (x%.2f)\n", "overdue list within 3x a plain read", met ? "MET" : "MISSED", overdue / read);
  std::printf("RESULT records=%d peak_rss_kb=%ld\n", records, rss);
  return failed || !met ? 1 : 0;
}
