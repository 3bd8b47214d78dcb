#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Scans of the catalogue file without the windows, to hold the windows'
// searches against. Each returns the seconds it took and the number of
// records whose chosen fields hold the needle (bytes already encoded).
namespace baseline {

struct Result {
  double seconds = 0;
  long long matches = 0;
  long long bytes = 0;
  bool ok = true;
};

// The whole file in 1 MiB blocks, looking at nothing: the floor for any scan.
Result blockRead(const QString& path);
// 1 MiB blocks of whole records, memmem over each chosen field of each record.
Result fieldMemmem(const QString& path, const QByteArray& needle, const std::vector<int>& fields);
// One system call per record, then the same memmem: the naive scan.
Result perRecordRead(const QString& path, const QByteArray& needle, const std::vector<int>& fields);
// The windows' own scan (RecordScan) with the exact or the forgiving matcher,
// without the windows: what the forgiving fold costs by itself.
Result exactScan(const QString& path, const QString& text, const std::vector<int>& fields);
Result forgivingScan(const QString& path, const QString& text, const std::vector<int>& fields);

}  // namespace baseline
