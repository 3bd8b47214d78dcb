#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "loans/LoanText.h"

// Who is late: the loans of a catalogue grouped by class, then by pupil,
// read from the borrower fields. Records in, sorted groups out; nothing here
// touches a file.
namespace loans {

// A book of a list read from a catalogue holds its texts in that list's
// block: it is read while the list lives.
struct Loan {
  qint32 code = 0;  // the record's code
  LoanText title;   // line breaks made blanks
  QDate due;
  LoanText dueTyped;
  int daysLate = 0;  // 0 while the book is not yet due
};

struct Pupil {
  QString name;
  std::vector<Loan> loans;  // most days late first
};

struct ClassGroup {
  QString className;  // empty: the fields that name no class
  std::vector<Pupil> pupils;
};

// A borrower field the reader could not read, for the librarian to mend.
struct UnreadableLoan {
  qint32 code = 0;
  QString title;
  QString typed;
};

struct LoanList {
  QDate day;                // the day of the list
  bool everything = false;  // every loan, late or not
  std::vector<ClassGroup> classes;
  std::vector<UnreadableLoan> unreadable;  // in code order
  int books = 0;
  int pupils = 0;
  int classCount = 0;  // the classes named; fields without one are not a class
  QByteArray texts;    // the books' titles and return dates, in Windows-1253
};

// Collects the records of a catalogue one by one and sorts them at the end.
class LoanListBuilder {
 public:
  // `everything`: every readable loan, not only the late ones.
  LoanListBuilder(const QDate& day, bool everything);
  ~LoanListBuilder();
  LoanListBuilder(const LoanListBuilder&) = delete;
  LoanListBuilder& operator=(const LoanListBuilder&) = delete;

  // Room for this many books, taken from memory only as books come: the
  // list then never moves what it has gathered.
  void expect(qint32 records);
  // Record `code`, its 350 bytes.
  void add(qint32 code, const char* record);
  LoanList finish();

 private:
  struct Entry;
  QDate m_day;
  bool m_everything;
  struct Name {
    QByteArray key;     // folded
    QString name;       // as first met
    quint32 lastClass;  // the class of this name's last book, and its group
    int lastGroup;
  };
  int groupOf(int pupil, quint32 classKey);
  std::vector<Entry> m_entries;
  QByteArray m_texts;  // each entry's title, then its date as typed
  std::vector<UnreadableLoan> m_unreadable;
  QHash<QByteArray, int> m_pupils;  // folded name to index into m_names
  std::vector<Name> m_names;
  // The books of one pupil in one class are a group: class key << 32 | pupil.
  std::vector<quint64> m_groups;
  QHash<quint64, int> m_groupOf;
};

// The columns of the list, as the window, the printed list and the tool's
// table show them.
enum Column { kDaysLate, kClass, kName, kCode, kTitle, kDue, kColumnCount };
QStringList columnNames();
// The cells of one book of a pupil of a class.
QStringList loanCells(const ClassGroup& group, const Pupil& pupil, const Loan& loan);
// The cells of an unreadable field: its code, its title and the text as typed
// in the name's column.
QStringList unreadableCells(const UnreadableLoan& loan);
// "Εκπρόθεσμα: 5 βιβλία, 3 μαθητές, 2 τμήματα" and the like.
QString countsLine(const LoanList& list);
// The class's heading: "Τμήμα Β2", or the words for fields without a class.
QString classHeading(const ClassGroup& group);

}  // namespace loans
