#include "loans/LoanScan.h"

#include "catalogue/search/RecordScan.h"

namespace loans {

ScanEnd scanLoans(CatalogueFile& file, LoanListBuilder& builder,
                  const std::function<bool(qint32 done, qint32 count)>& goOn) {
  constexpr qint32 kAskEvery = 1 << 16;
  RecordScan scan(file);
  const qint32 count = file.recordCount();
  builder.expect(count);
  for (qint32 n = 1; n <= count; ++n) {
    if (goOn && n % kAskEvery == 0 && !goOn(n, count)) return ScanEnd::Stopped;
    const char* record = scan.record(n);
    if (!record) return scan.failed() ? ScanEnd::Failed : ScanEnd::Done;
    builder.add(n, record);
  }
  return ScanEnd::Done;
}

}  // namespace loans
