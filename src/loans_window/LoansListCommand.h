#pragma once

#include "platform/LoansLister.h"

// The librarian's LoansLister: the overdue list in a window of its own.
class LoansListCommand : public LoansLister {
 public:
  qint32 showLoans(const QString& cataloguePath, Platform& platform, const QString& productTitle) override;
};
