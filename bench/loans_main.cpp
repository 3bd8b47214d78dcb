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
#include "catalogue/file/CatalogueFile.h"
#include "loans/LoanList.h"
#include "loans/LoanScan.h"

namespace {

long peakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Seconds of this process on a processor, user and system: on a machine
// shared with other work the wall clock also counts the waits for a processor.
double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Times {
  double wall;
  double cpu;
};

// The medians of `repeats` timed runs, by the wall clock and by processor time.
Times medianOf(int repeats, const std::function<bool()>& run, bool& failed) {
  std::vector<double> wall, cpu;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    if (!run()) failed = true;
    cpu.push_back(cpuSeconds() - cpuStart);
    wall.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(wall.begin(), wall.end());
  std::sort(cpu.begin(), cpu.end());
  return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
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
  const Times read = medianOf(
      repeats, [&] { return baseline::blockRead(catalogue).ok; }, failed);
  Listed late, all;
  const Times overdue = medianOf(
      repeats, [&] { return listLoans(catalogue, false, late); }, failed);
  const Times everything = medianOf(
      repeats, [&] { return listLoans(catalogue, true, all); }, failed);

  std::printf("\n%-32s %9s %9s %10s\n", "", "wall", "processor", "x read");
  std::printf("%-32s %8.4fs %8.4fs\n", "read whole file, 1 MiB blocks", read.wall, read.cpu);
  std::printf("%-32s %8.4fs %8.4fs %9.2fx   (%d books, %d pupils, %zu unreadable)\n", "overdue list", overdue.wall,
              overdue.cpu, overdue.cpu / read.cpu, late.books, late.pupils, late.unreadable);
  std::printf("%-32s %8.4fs %8.4fs %9.2fx   (%d books, %d pupils)\n", "everything still out", everything.wall,
              everything.cpu, everything.cpu / read.cpu, all.books, all.pupils);
  const long rss = peakRssKb();
  std::printf("\npeak resident memory: %ld kB\n\n", rss);
  const double ratio = overdue.cpu / read.cpu;
  const bool met = ratio <= 3;
  std::printf("goal %-60s %s (x%.2f)\n", "overdue list within 3x a plain read (processor time)", met ? "MET" : "MISSED",
              ratio);
  std::printf("RESULT records=%d peak_rss_kb=%ld\n", records, rss);
  return failed || !met ? 1 : 0;
}
