#pragma once

// The rules of the record file, without Qt: how many records a length holds
// and how one whole record is written so that a failure leaves the file whole.
#include "catalogue/ByteFile.h"

namespace recordstore {

constexpr long long kRecordLength = 350;

// length / 350 rounded half to even, 0 taken as 1, at most the largest 32-bit count.
int recordCountForLength(long long length);

struct WriteResult {
  enum class Step { Done, Read, Write, Sync };
  Step step = Step::Done;
  int error = 0;  // the system's error number when step is not Done
  bool ok() const { return step == Step::Done; }
};

// Writes the 350 bytes of record n (1-based), synced before it reports Done;
// a torn last record just before n is completed with blanks. A failed write
// is undone: the record's old bytes are put back and an extended file is cut
// back to its old length.
WriteResult writeRecord(ByteFile& file, int n, const char* record);

}  // namespace recordstore
