// Writes a catalogue of N generated records:
//   lomira_bench_generate N path/Zelkor.dat
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "CatalogueGenerator.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::atoll(argv[1]) < 1) {
    std::fprintf(stderr, "usage: %s RECORDS FILE\n", argv[0]);
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  // Written whole or not at all, so an interrupted run leaves no short catalogue behind.
  QSaveFile out(QFile::decodeName(argv[2]));
  if (!out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
    return 1;
  }
  constexpr long long kBatch = 3000;
  std::vector<char> buffer(size_t(kBatch) * benchgen::kRecordBytes);
  for (long long first = 1; first <= count; first += kBatch) {
    const long long n = qMin(kBatch, count - first + 1);
    for (long long i = 0; i < n; ++i) benchgen::encodeRecord(first + i, buffer.data() + i * benchgen::kRecordBytes);
    if (out.write(buffer.data(), n * benchgen::kRecordBytes) != n * benchgen::kRecordBytes) {
      std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
      return 1;
    }
  }
  if (!out.commit()) {
    std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
    return 1;
  }
  return 0;
}
