#pragma once

#include <QDate>
#include <functional>

#include "catalogue/file/CatalogueFile.h"
#include "loans/LoanList.h"

namespace loans {

// Reads every record of the open catalogue into a list, never writing. `goOn`
// hears the records read and the count about every 64 KiB of records and
// stops the reading when it answers false.
enum class ScanEnd { Done, Failed, Stopped };
ScanEnd scanLoans(CatalogueFile& file, LoanListBuilder& builder,
                  const std::function<bool(qint32 done, qint32 count)>& goOn = {});

}  // namespace loans
