#pragma once

#include <QString>

struct Platform;

// Shows who has which book and until when, read from the catalogue's
// borrower fields. The librarian's program supplies one, the students'
// program none, so that pupils never see each other's names in a list.
class LoansLister {
 public:
  virtual ~LoansLister() = default;
  // Shows the list of the catalogue at `cataloguePath`, its boxes titled with
  // `productTitle`, until the librarian closes it; the code of the record the
  // librarian chose to go to, or 0.
  virtual qint32 showLoans(const QString& cataloguePath, Platform& platform, const QString& productTitle) = 0;
};
