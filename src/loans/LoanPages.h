#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "loans/LoanList.h"

// The list and the reminders as lines of fixed-pitch text, page by page,
// for the printer and the tool's text output.
namespace loans {

// One page per class (a heading, then each pupil's books), then the fields
// that could not be read.
QList<QStringList> classPages(const LoanList& list);

// The lines of one reminder slip, a cut line at its foot; four make a sheet.
constexpr int kSlipLines = 15;
constexpr int kSlipsPerSheet = 4;
constexpr int kBooksPerSlip = 6;

// One slip per pupil with late books (more slips for more than six books),
// four to a page, each `kSlipLines` lines so that the cut lines fall at the
// quarters of a sheet whose lines are spread over it.
QList<QStringList> reminderPages(const LoanList& list, const QString& school);

}  // namespace loans
