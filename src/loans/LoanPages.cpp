#include "loans/LoanPages.h"

using namespace Qt::StringLiterals;

namespace loans {
namespace {

// Widths of the printed columns; the line stays within 78 characters.
constexpr int kDaysWidth = 5;
constexpr int kNameWidth = 22;
constexpr int kCodeWidth = 6;
constexpr int kTitleWidth = 27;
constexpr int kDueWidth = 12;
constexpr int kSlipWidth = 78;
constexpr int kSlipTitleWidth = 52;

QString cell(const QString& text, int width) {
  if (text.size() <= width) return text.leftJustified(width);
  return text.left(width - 1) + u'…';
}

QString dayText(const QDate& day) { return day.toString(u"d/M/yyyy"_s); }

QString listTitle(const LoanList& list) { return list.everything ? u"Δανεισμένα βιβλία"_s : u"Εκπρόθεσμα βιβλία"_s; }

QString bookLine(const QString& days, const QString& name, const QString& code, const QString& title,
                 const QString& due) {
  return days.rightJustified(kDaysWidth) + u"  "_s + cell(name, kNameWidth) + u' ' + code.rightJustified(kCodeWidth) +
         u"  "_s + cell(title, kTitleWidth) + u' ' + cell(due, kDueWidth).trimmed();
}

QStringList classPage(const LoanList& list, const ClassGroup& group) {
  QStringList lines{listTitle(list) + u" — "_s + classHeading(group) + u"    "_s + dayText(list.day), QString(),
                    bookLine(u"Ημ."_s, u"Όνομα"_s, u"Κωδ."_s, u"Τίτλος"_s, u"Επιστροφή"_s)};
  for (const Pupil& pupil : group.pupils) {
    bool first = true;
    for (const Loan& loan : pupil.loans) {
      lines.append(bookLine(QString::number(loan.daysLate), first ? pupil.name : QString(), QString::number(loan.code),
                            loan.title.text(), loan.dueTyped.text()));
      first = false;
    }
  }
  return lines;
}

QStringList unreadablePage(const LoanList& list) {
  QStringList lines{u"Πεδία δανειζόμενου που δεν διαβάζονται    "_s + dayText(list.day), QString(),
                    u"  Κωδ.  Όπως γράφτηκε                                       Τίτλος"_s};
  for (const UnreadableLoan& loan : list.unreadable)
    lines.append(QString::number(loan.code).rightJustified(kCodeWidth) + u"  "_s + cell(loan.typed, 50) + u"  "_s +
                 cell(loan.title, 18).trimmed());
  return lines;
}

QStringList slip(const LoanList& list, const QString& school, const Pupil& pupil, const QString& className,
                 const std::vector<Loan>& books, bool continued) {
  QStringList lines{school,
                    u"ΥΠΕΝΘΥΜΙΣΗ ΕΠΙΣΤΡΟΦΗΣ ΒΙΒΛΙΩΝ"_s + (continued ? u" (συνέχεια)"_s : QString()),
                    QString(),
                    u"Μαθητής/τρια: "_s + pupil.name + (className.isEmpty() ? QString() : u"    Τμήμα: "_s + className),
                    u"Παρακαλούμε να επιστρέψεις στη βιβλιοθήκη τα βιβλία:"_s,
                    u"  Κωδ.  "_s + cell(u"Τίτλος"_s, kSlipTitleWidth) + u"  Επιστροφή"_s};
  for (const Loan& loan : books)
    lines.append(QString::number(loan.code).rightJustified(kCodeWidth) + u"  "_s +
                 cell(loan.title.text(), kSlipTitleWidth) + u"  "_s + loan.dueTyped.text());
  while (lines.size() < kSlipLines - 2) lines.append(QString());
  lines.append(u"Ημερομηνία: "_s + dayText(list.day));
  return lines;
}

}  // namespace

QList<QStringList> classPages(const LoanList& list) {
  QList<QStringList> pages;
  for (const ClassGroup& group : list.classes) pages.append(classPage(list, group));
  if (!list.unreadable.empty()) pages.append(unreadablePage(list));
  return pages;
}

QList<QStringList> reminderPages(const LoanList& list, const QString& school) {
  QList<QStringList> slips;
  for (const ClassGroup& group : list.classes) {
    for (const Pupil& pupil : group.pupils) {
      std::vector<Loan> late;
      for (const Loan& loan : pupil.loans)
        if (loan.daysLate > 0) late.push_back(loan);
      for (size_t first = 0; first < late.size(); first += kBooksPerSlip) {
        const auto end = late.begin() + qsizetype(qMin(first + kBooksPerSlip, late.size()));
        slips.append(slip(list, school, pupil, group.className, std::vector<Loan>(late.begin() + qsizetype(first), end),
                          first > 0));
      }
    }
  }
  const QString cutLine = QString(u"- "_s).repeated(kSlipWidth / 2);
  QList<QStringList> pages;
  for (qsizetype i = 0; i < slips.size(); ++i) {
    if (i % kSlipsPerSheet == 0) pages.append(QStringList());
    QStringList lines = slips[i];
    // The last slip of a sheet ends at the sheet's edge.
    lines.append(i % kSlipsPerSheet == kSlipsPerSheet - 1 ? QString() : cutLine);
    pages.last().append(lines);
  }
  // A sheet of fewer slips keeps their size and places.
  if (!pages.isEmpty())
    while (pages.last().size() < kSlipLines * kSlipsPerSheet) pages.last().append(QString());
  return pages;
}

}  // namespace loans
