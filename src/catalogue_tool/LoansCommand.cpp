#include "catalogue_tool/LoansCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "catalogue/file/CatalogueFile.h"
#include "loans/LoanList.h"
#include "loans/LoanPages.h"
#include "loans/LoanScan.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kFileError = 2;

QString csvCell(const QString& text) {
  if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r')) return text;
  return u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"';
}

QString csvRow(const QStringList& cells) {
  QStringList quoted;
  for (const QString& c : cells) quoted.append(csvCell(c));
  return quoted.join(u',') + u"\r\n"_s;
}

// One row per book, then one per unreadable field; a byte-order mark so that
// a spreadsheet reads the Greek as UTF-8.
QByteArray csvOf(const loans::LoanList& list) {
  QString text = QChar(0xFEFF) + csvRow(loans::columnNames());
  for (const loans::ClassGroup& group : list.classes)
    for (const loans::Pupil& pupil : group.pupils)
      for (const loans::Loan& loan : pupil.loans) text += csvRow(loans::loanCells(group, pupil, loan));
  for (const loans::UnreadableLoan& loan : list.unreadable) text += csvRow(loans::unreadableCells(loan));
  return text.toUtf8();
}

QByteArray textOf(const loans::LoanList& list) {
  QStringList lines{loans::countsLine(list), QString()};
  for (const QStringList& page : loans::classPages(list)) lines += page + QStringList{QString()};
  return lines.join(u'\n').toUtf8();
}

}  // namespace

QList<QCommandLineOption> loansToolOptions() {
  return {{u"all"_s, u"όλα τα δανεισμένα, όχι μόνο τα εκπρόθεσμα"_s},
          {u"date"_s, u"η ημέρα του καταλόγου (ΕΕΕΕ-ΜΜ-ΗΗ)"_s, u"ΗΜΕΡΑ"_s}};
}

QStringList loansToolOptionNames() { return {u"all"_s, u"date"_s, u"format"_s}; }

int runLoansCommand(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err,
                    const std::function<int(const QString&)>& refuse) {
  if (args.size() != 2 && args.size() != 3) return refuse(u"το loans θέλει ΚΑΤΑΛΟΓΟ και, αν θέλετε, ΑΡΧΕΙΟ"_s);
  const QString format = parser.isSet(u"format"_s) ? parser.value(u"format"_s) : u"text"_s;
  if (format != u"csv"_s && format != u"text"_s)
    return refuse(u"το loans γράφει μόνο csv ή text, όχι «%1»"_s.arg(format));
  QDate day = QDate::currentDate();
  if (parser.isSet(u"date"_s)) {
    day = QDate::fromString(parser.value(u"date"_s), u"yyyy-MM-dd"_s);
    if (!day.isValid()) return refuse(u"η ημέρα «%1» δεν είναι ημερομηνία ΕΕΕΕ-ΜΜ-ΗΗ"_s.arg(parser.value(u"date"_s)));
  }
  const QString cataloguePath = args[1];
  const QString outPath = args.value(2);
  if (!outPath.isEmpty() && sameFile(outPath, cataloguePath))
    return refuse(u"το ΑΡΧΕΙΟ «%1» είναι ο ίδιος ο κατάλογος"_s.arg(outPath));

  CatalogueFile file;
  if (!QFileInfo(cataloguePath).isFile()) {
    err << u"Το αρχείο «%1» δεν βρέθηκε."_s.arg(QDir::toNativeSeparators(cataloguePath)) << '\n';
    return kFileError;
  }
  loans::LoanListBuilder builder(day, parser.isSet(u"all"_s));
  if (!file.open(cataloguePath, FileIo::Mode::ReadOnly) || loans::scanLoans(file, builder) != loans::ScanEnd::Done) {
    err << file.lastError().describe() << '\n';
    return kFileError;
  }
  const loans::LoanList list = builder.finish();
  const QByteArray bytes = format == u"csv"_s ? csvOf(list) : textOf(list);
  if (outPath.isEmpty()) {
    out << QString::fromUtf8(bytes);
    out.flush();
    return 0;
  }
  QSaveFile output(outPath);
  if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.commit()) {
    err << u"Το αρχείο «%1» δεν γράφτηκε: %2"_s.arg(QDir::toNativeSeparators(outPath), output.errorString()) << '\n';
    return kFileError;
  }
  out << loans::countsLine(list) << u". Γράφτηκαν στο «%1»."_s.arg(outPath) << '\n';
  return 0;
}
