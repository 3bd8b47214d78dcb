// The book as MARC 21 Bibliographic, with ISBD punctuation in the title
// field (Leader/18 "i"), Greek as the language of the book and of the
// cataloguing. docs/marc-mapping.md gives each field's reason.
#include "transfer/marc/Marc21Fields.h"

#include "transfer/marc/MarcTags.h"

using namespace Qt::StringLiterals;

namespace {

// New record, language material, monograph, UTF-8, abbreviated level, ISBD punctuation.
constexpr const char* kLeader = "00000nam a22000003i 4500";

// Books: date entered, a single known date or none, no place coded,
// nothing else coded but the language; cataloguing source "other".
QString fixedData(const MarcBook& book, const QDateTime& moment) {
  const QString dates = book.year.isEmpty() ? u"nuuuuuuuu"_s : u"s"_s + book.year + u"    "_s;
  return moment.toString(u"yyMMdd"_s) + dates + u"xx "_s + u"|"_s.repeated(14) + u" ||gre d"_s;
}

QString endedWithPeriod(const QString& text) { return text.endsWith(u'.') ? text : text + u'.'; }

// A personal name with its role: "Name, $e μεταφραστής $4 trl".
void addName(MarcFields& out, const char* tag, const MarcName& name) {
  const char* indicators = name.forename ? "0 " : "1 ";
  if (!name.role) {
    out.field(tag, indicators, {{'a', name.name}});
    return;
  }
  const QString entry = name.name.endsWith(u',') ? name.name : name.name + u',';
  out.field(tag, indicators, {{'a', entry}, {'e', name.role->term}, {'4', name.role->code}});
}

void addTitle(MarcFields& out, const MarcBook& book, bool mainEntry) {
  QStringList statements;
  if (!book.responsibility.isEmpty()) statements.append(book.responsibility);
  if (!book.otherNamesText.isEmpty()) statements.append(book.otherNamesText);
  // The statement closes up initials as transcription does; the headings keep them as typed.
  const QString statement = transcribed(statements.join(u" ; "_s));
  const QByteArray indicators{mainEntry ? "1" : "0", 1};
  const QByteArray nonfiling = QByteArray::number(std::min(book.articleLength, 9));
  if (statement.isEmpty()) {
    out.field(marc21::kTitle, (indicators + nonfiling).constData(), {{'a', endedWithPeriod(book.title)}});
    return;
  }
  out.field(marc21::kTitle, (indicators + nonfiling).constData(),
            {{'a', book.title + u" /"_s}, {'c', endedWithPeriod(statement)}});
}

void addCopy(MarcFields& out, const MarcBook& book, const MarcOptions& options) {
  if (book.bookNumber.isEmpty()) return;
  if (options.kohaItems)
    out.field(marc21::kKohaItem, "  ",
              {{'a', options.branch},
               {'b', options.branch},
               {marc21::kCopyNumber, book.bookNumber},
               {'y', options.itemType}});
  else
    out.field(marc21::kHoldings, "  ", {{'a', options.agency}, {marc21::kCopyNumber, book.bookNumber}});
}

}  // namespace

void addMarc21Fields(MarcFields& out, qint32 number, const MarcBook& book, const MarcOptions& options) {
  out.leader(kLeader);
  out.control("001", QString::number(number));
  out.control("003", options.agency);
  out.control("005", options.moment.toString(u"yyyyMMddhhmmss.0"_s));
  out.control("008", fixedData(book, options.moment));
  out.field("040", "  ", {{'a', options.agency}, {'b', u"gre"_s}, {'c', options.agency}});

  // The first author without a role is the main entry; editors and the
  // other names are added entries with their roles.
  qsizetype first = -1;
  for (qsizetype i = 0; i < book.authors.size() && first < 0; ++i)
    if (!book.authors[i].role) first = i;
  if (first >= 0) addName(out, marc21::kMainEntry, book.authors[first]);
  addTitle(out, book, first >= 0);
  out.field(marc21::kNote, "  ", {{'a', book.publication}});
  out.field(marc21::kSubject, "  ", {{'a', book.subject}});
  for (qsizetype i = 0; i < book.authors.size(); ++i)
    if (i != first) addName(out, marc21::kAddedEntry, book.authors[i]);
  for (const MarcName& name : book.otherNames) addName(out, marc21::kAddedEntry, name);
  addCopy(out, book, options);
}
