// The book as UNIMARC Bibliographic: its mandatory 100, 101, 200 and 801,
// UTF-8 declared in 100, the title's article between the non-sorting marks.
// docs/marc-mapping.md gives each field's reason.
#include "transfer/marc/UnimarcFields.h"

#include "transfer/marc/MarcTags.h"

using namespace Qt::StringLiterals;

namespace {

// New record, language material, monograph, level 3, partial ISBD.
constexpr const char* kLeader = "00000nam0 22000003i 450 ";

// 100 $a: date entered, the one year or none, audience and government
// publication unknown, not modified, Greek, no transliteration, UTF-8
// (ISO 10646 "50" in positions 26-27, no G1 set), Greek script title.
QString generalData(const MarcBook& book, const QDateTime& moment) {
  const QString dates = book.year.isEmpty() ? u"u        "_s : u"d"_s + book.year + u"    "_s;
  return moment.toString(u"yyyyMMdd"_s) + dates + u"u  u0grey50      ga"_s;
}

QString sortable(const MarcBook& book) {
  if (book.articleLength == 0) return book.title;
  return unimarc::kNsb + book.title.left(book.articleLength) + unimarc::kNse + book.title.mid(book.articleLength);
}

// "Surname, Forename" as UNIMARC's entry element and the rest of the name.
void addName(MarcFields& out, const char* tag, const MarcName& name) {
  const qsizetype comma = name.name.indexOf(u',');
  const QString entry = comma < 0 ? name.name : name.name.left(comma).trimmed();
  const QString rest = comma < 0 ? QString() : name.name.mid(comma + 1).trimmed();
  out.field(tag, name.forename ? " 0" : " 1",
            {{'a', entry}, {'b', rest}, {'4', name.role ? name.role->unimarc : QString()}});
}

bool translated(const MarcBook& book) {
  for (const QList<MarcName>* names : {&book.authors, &book.otherNames})
    for (const MarcName& name : *names)
      if (name.role && name.role->code == u"trl"_s) return true;
  return false;
}

void addCopy(MarcFields& out, const MarcBook& book, const MarcOptions& options) {
  if (book.bookNumber.isEmpty()) return;
  if (options.kohaItems)
    out.field(unimarc::kItem, "  ",
              {{'b', options.branch},
               {'c', options.branch},
               {unimarc::kItemNumber, book.bookNumber},
               {'r', options.itemType}});
  else
    out.field(unimarc::kItem, "  ", {{'b', options.agency}, {unimarc::kItemNumber, book.bookNumber}});
}

}  // namespace

void addUnimarcFields(MarcFields& out, qint32 number, const MarcBook& book, const MarcOptions& options) {
  out.leader(kLeader);
  out.control("001", QString::number(number));
  out.control("005", options.moment.toString(u"yyyyMMddhhmmss.0"_s));
  out.field(unimarc::kGeneralData, "  ", {{'a', generalData(book, options.moment)}});
  out.field("101", translated(book) ? "1 " : "0 ", {{'a', u"gre"_s}});
  out.field(unimarc::kTitle, "1 ", {{'a', sortable(book)}, {'f', book.responsibility}, {'g', book.otherNamesText}});
  out.field(unimarc::kNote, "  ", {{'a', book.publication}});
  out.field(unimarc::kSubject, "  ", {{'a', book.subject}});

  // The first author without a role has the primary responsibility, the
  // other authors alternative, the roles and other names secondary.
  qsizetype first = -1;
  for (qsizetype i = 0; i < book.authors.size() && first < 0; ++i)
    if (!book.authors[i].role) first = i;
  if (first >= 0) addName(out, unimarc::kPrimaryName, book.authors[first]);
  for (qsizetype i = 0; i < book.authors.size(); ++i)
    if (i != first && !book.authors[i].role) addName(out, unimarc::kAlternativeName, book.authors[i]);
  for (qsizetype i = 0; i < book.authors.size(); ++i)
    if (book.authors[i].role) addName(out, unimarc::kSecondaryName, book.authors[i]);
  for (const MarcName& name : book.otherNames) addName(out, unimarc::kSecondaryName, name);
  out.field("801", " 0", {{'a', u"GR"_s}, {'b', options.agency}, {'c', options.moment.toString(u"yyyyMMdd"_s)}});
  addCopy(out, book, options);
}
