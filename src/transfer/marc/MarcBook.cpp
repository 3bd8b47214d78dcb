#include "transfer/marc/MarcBook.h"

#include <QRegularExpression>
#include <QSet>
#include <array>

#include "catalogue/FieldBytes.h"
#include "catalogue/RecordField.h"

using namespace Qt::StringLiterals;

namespace {

const MarcRole kEditor{u"επιμελητής"_s, u"edt"_s, u"340"_s, u"επιμ."_s};
const MarcRole kTranslator{u"μεταφραστής"_s, u"trl"_s, u"730"_s, u"μτφρ."_s};
const MarcRole kIllustrator{u"εικονογράφος"_s, u"ill"_s, u"440"_s, u"εικ."_s};
const MarcRole kIntroduction{u"συγγραφέας εισαγωγής"_s, u"win"_s, u"080"_s, u"εισαγ."_s};
const MarcRole kPreface{u"συγγραφέας προλόγου"_s, u"wpr"_s, u"080"_s, u"προλ."_s};
const MarcRole kAdapter{u"διασκευαστής"_s, u"adp"_s, u"010"_s, u"διασκ."_s};

// The role words librarians write, lower case, without the final period.
const MarcRole* roleNamed(const QString& typed) {
  static const std::array<std::pair<QString, const MarcRole*>, 12> kRoles{{
      {u"επιμ"_s, &kEditor},
      {u"επιμέλεια"_s, &kEditor},
      {u"μτφρ"_s, &kTranslator},
      {u"μετάφρ"_s, &kTranslator},
      {u"μετάφραση"_s, &kTranslator},
      {u"εικ"_s, &kIllustrator},
      {u"εικον"_s, &kIllustrator},
      {u"εικονογράφηση"_s, &kIllustrator},
      {u"εισαγ"_s, &kIntroduction},
      {u"προλ"_s, &kPreface},
      {u"διασκ"_s, &kAdapter},
      {u"διασκευή"_s, &kAdapter},
  }};
  QString key = typed.trimmed().toLower();
  if (key.endsWith(u'.')) key.chop(1);
  for (const auto& [spelling, role] : kRoles)
    if (spelling == key) return role;
  return nullptr;
}

struct Heading {
  MarcName name;
  bool personal;
  QString typed;  // the name and its role as typed
};

// "Surname, Forename" or one word is a person; several words without a
// comma ("Ομάδα Συγγραφέων") are not, and stay in the statement.
Heading headingOf(const QString& typed) {
  static const QRegularExpression kRole(u"^(.*\\S)\\s*\\(([^()]*)\\)$"_s);
  Heading h{{typed, false, nullptr}, false, typed};
  if (const QRegularExpressionMatch m = kRole.match(typed); m.hasMatch()) {
    if (const MarcRole* role = roleNamed(m.captured(2))) {
      h.name.name = m.captured(1);
      h.name.role = role;
    }
  }
  const bool surnameFirst = h.name.name.contains(u',');
  h.name.forename = !surnameFirst && !h.name.name.contains(u' ');
  h.personal = surnameFirst || h.name.forename;
  return h;
}

// Names are separated by " - " (hyphenated surnames have no blanks). A
// role written once after several names is theirs together:
// "Καζαντζάκης, Ν. - Κακριδής, Ι. Θ. (μτφρ.)".
QList<Heading> headingsOf(const QString& field) {
  QList<Heading> headings;
  for (const QString& part : field.split(u" - "_s, Qt::SkipEmptyParts))
    if (const QString typed = part.trimmed(); !typed.isEmpty()) headings.append(headingOf(typed));
  const MarcRole* shared = nullptr;
  for (auto h = headings.rbegin(); h != headings.rend(); ++h) {
    if (h->name.role)
      shared = h->name.role;
    else
      h->name.role = shared;
  }
  return headings;
}

// The Greek articles a title may begin with, lower case, in their accented
// and unaccented (capital) spellings. "ή" (or) is no article.
bool isArticle(const QString& word) {
  static const QSet<QString> kArticles{u"ο"_s,    u"η"_s,   u"το"_s,   u"οι"_s,   u"τα"_s,   u"τον"_s,  u"την"_s,
                                       u"τη"_s,   u"του"_s, u"της"_s,  u"των"_s,  u"τους"_s, u"τις"_s,  u"ένας"_s,
                                       u"ενας"_s, u"ένα"_s, u"ενα"_s,  u"έναν"_s, u"εναν"_s, u"ενός"_s, u"ενος"_s,
                                       u"μια"_s,  u"μία"_s, u"μιας"_s, u"μίας"_s, u"μιαν"_s, u"μίαν"_s};
  return kArticles.contains(word.toLower());
}

// The characters a library system skips when it files the title: opening
// quotes or brackets, an article and its blank.
int articleLength(const QString& title) {
  qsizetype i = 0;
  while (i < title.size() && u"\"'«[("_s.contains(title[i])) ++i;
  const qsizetype blank = title.indexOf(u' ', i);
  if (blank <= i || blank + 1 >= title.size() || !isArticle(title.mid(i, blank - i))) return 0;
  return int(blank + 1);
}

QString onlyYear(const QString& publication) {
  static const QRegularExpression kNumber(u"\\d+"_s);
  QString year;
  int years = 0;
  for (const QRegularExpressionMatch& m : kNumber.globalMatch(publication))
    if (m.capturedLength() == 4 && ++years == 1) year = m.captured();
  return years == 1 ? year : QString();
}

// The book number as the check reads it; the subject is what follows,
// without separators.
void splitBookNumber(const QString& field, MarcBook& book) {
  const QStringView number = fieldbytes::bookNumberIn(field);
  if (number.isEmpty()) {
    book.subject = field;
    return;
  }
  static const QRegularExpression kSeparators(u"^[\\s\\-–:,.;]+"_s);
  book.bookNumber = number.toString();
  book.subject = field.mid(number.data() + number.size() - field.data()).remove(kSeparators).trimmed();
}

}  // namespace

const MarcRole* marcRoleOf(const QString& codeOrTerm) {
  const QString key = codeOrTerm.trimmed().toLower();
  for (const MarcRole* role : {&kEditor, &kTranslator, &kIllustrator, &kIntroduction, &kPreface, &kAdapter})
    if (key == role->code || key == role->unimarc || key == role->term) return role;
  return nullptr;
}

qsizetype personalNameCount(const QString& field) {
  qsizetype count = 0;
  for (const Heading& h : headingsOf(field)) count += h.personal ? 1 : 0;
  return count;
}

QString transcribed(const QString& statement) {
  static const QRegularExpression kInitials(u"\\b(\\w\\.) (?=\\w\\.)"_s,
                                            QRegularExpression::UseUnicodePropertiesOption);
  return QString(statement).replace(kInitials, u"\\1"_s);
}

MarcBook marcBook(const QList<QString>& fields) {
  MarcBook book;
  book.title = fields.value(recordfield::kTitle);
  book.articleLength = articleLength(book.title);
  QStringList collective;
  for (const Heading& h : headingsOf(fields.value(recordfield::kAuthor))) {
    if (h.personal)
      book.authors.append(h.name);
    else
      collective.append(h.typed);
  }
  book.responsibility = collective.join(u" ; "_s);
  book.otherNamesText = fields.value(recordfield::kOtherNames);
  for (const Heading& h : headingsOf(book.otherNamesText))
    if (h.personal) book.otherNames.append(h.name);
  book.publication = fields.value(recordfield::kPublication);
  book.year = onlyYear(book.publication);
  splitBookNumber(fields.value(recordfield::kNumberAndSubject), book);
  return book;
}
