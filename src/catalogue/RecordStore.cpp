#include "catalogue/RecordStore.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace recordstore {

namespace {

using Step = WriteResult::Step;
constexpr long long L = kRecordLength;

WriteResult failed(Step step, int error) { return {step, error}; }

}  // namespace

int recordCountForLength(long long length) {
  if (length <= 0) return 1;
  long long count = length / L;
  const long long rest = length % L;
  // Half to even: a remainder of exactly half a record rounds up only from an odd count.
  if (2 * rest > L || (2 * rest == L && count % 2 == 1)) ++count;
  return int(std::clamp<long long>(count, 1, std::numeric_limits<int>::max()));
}

WriteResult writeRecord(ByteFile& file, int n, const char* record) {
  const long long oldSize = file.size();
  if (oldSize < 0) return failed(Step::Write, file.lastErrno());

  // Keep what the write will cover, to put it back if the write fails halfway.
  const long long offset = (n - 1) * L;
  char old[L];
  long long oldLength = std::clamp<long long>(oldSize - offset, 0, L);
  if (oldLength > 0) {
    oldLength = file.readAt(offset, old, oldLength);
    if (oldLength < 0) return failed(Step::Read, file.lastErrno());
  }
  const auto undo = [&] {
    if (oldLength > 0) file.writeAt(offset, old, oldLength);
    if (offset + L > oldSize) file.truncate(oldSize);
    file.sync();
  };

  // A torn last record reads as its bytes and then blanks; a new record just
  // past it writes those blanks too, or the record would end in zero bytes.
  const long long gap = offset > oldSize && offset - oldSize < L ? offset - oldSize : 0;
  char out[2 * L];
  std::memset(out, ' ', size_t(gap));
  std::memcpy(out + gap, record, L);
  const long long written = file.writeAt(offset - gap, out, gap + L);
  if (written != gap + L) {
    // Not every system sets an error for a short write; it means the disk is full.
    int error = file.lastErrno();
    if (error == 0) error = written >= 0 ? ENOSPC : EIO;
    undo();
    return failed(Step::Write, error);
  }
  if (!file.sync()) {
    const int error = file.lastErrno();
    undo();
    return failed(Step::Sync, error);
  }
  return {};
}

}  // namespace recordstore
