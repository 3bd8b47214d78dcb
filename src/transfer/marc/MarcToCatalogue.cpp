#include "transfer/marc/MarcToCatalogue.h"

#include "catalogue/RecordField.h"
#include "transfer/marc/MarcBook.h"
#include "transfer/marc/MarcTags.h"

using namespace Qt::StringLiterals;

namespace {

QString tag(const char* code) { return QString::fromLatin1(code); }

// The ISBD mark that closes an area before the next (" /", " :", " ;", " ="),
// and the comma that ends a heading before its role.
QString withoutClosingMark(QString text) {
  text = text.trimmed();
  for (const QString& mark : {u" /"_s, u" :"_s, u" ;"_s, u" ="_s})
    if (text.endsWith(mark)) return text.chopped(2).trimmed();
  if (text.endsWith(u',')) text.chop(1);
  return text.trimmed();
}

// The period the export adds at the end of the title field, where the text
// ends with no period of its own: an ellipsis ("...") or an initial ("Ι. Θ.")
// keeps its last.
QString withoutClosingPeriod(QString text) {
  text = withoutClosingMark(text);
  if (!text.endsWith(u'.') || text.endsWith(u".."_s)) return text;
  const qsizetype n = text.size();
  const bool initial = n >= 2 && text[n - 2].isLetter() && (n == 2 || text[n - 3] == u' ' || text[n - 3] == u'.');
  return initial ? text : text.chopped(1).trimmed();
}

QString joined(const QStringList& parts, const QString& separator) {
  QStringList kept;
  for (const QString& part : parts)
    if (!part.trimmed().isEmpty()) kept.append(part.trimmed());
  return kept.join(separator);
}

struct Name {
  QString name;
  const MarcRole* role = nullptr;
  QString otherRole;  // a role the export does not write, as the record names it
  bool authorial = true;
};

// A relator term without its closing punctuation, lower case.
QString termOf(const QString& text) {
  QString term = withoutClosingMark(text).toLower();
  if (term.endsWith(u'.')) term.chop(1);
  return term;
}

// The English relator terms other systems write in $e.
const MarcRole* roleOfTerm(const QString& text) {
  const QString term = termOf(text);
  static const QList<std::pair<QString, QString>> kEnglish{
      {u"editor"_s, u"edt"_s},           {u"ed"_s, u"edt"_s},
      {u"translator"_s, u"trl"_s},       {u"tr"_s, u"trl"_s},
      {u"illustrator"_s, u"ill"_s},      {u"ill"_s, u"ill"_s},
      {u"adapter"_s, u"adp"_s},          {u"writer of introduction"_s, u"win"_s},
      {u"writer of preface"_s, u"wpr"_s}};
  for (const auto& [english, code] : kEnglish)
    if (term == english) return marcRoleOf(code);
  return marcRoleOf(term);
}

// A heading and its role, from the relator code ($4) or, in MARC21, the
// term ($e). Authors and editors belong to field 1; any other role to field 2.
Name nameOf(const MarcDataField& field, const QString& text, bool unimarc) {
  static const QStringList kAuthor{u"aut"_s, u"cre"_s, u"070"_s, u"author"_s, u"συγγραφέας"_s};
  Name n{withoutClosingMark(text), nullptr, {}, true};
  const QString code = field.first(u'4').trimmed().toLower();
  const QStringList terms = unimarc ? QStringList() : field.all(u'e');
  n.role = marcRoleOf(code);
  for (const QString& term : terms)
    if (!n.role) n.role = roleOfTerm(term);
  if (n.role) {
    n.authorial = n.role->code == u"edt"_s;
    return n;
  }
  // A role the export does not write is kept in the record's own words.
  for (const QString& term : terms)
    if (const QString t = termOf(term); n.otherRole.isEmpty() && !t.isEmpty() && !kAuthor.contains(t)) n.otherRole = t;
  if (n.otherRole.isEmpty() && !kAuthor.contains(code)) n.otherRole = code;
  n.authorial = n.otherRole.isEmpty();
  return n;
}

// Names as a librarian types them: " - " between them, a role word after
// the last of several names that share it.
QString namesText(const QList<Name>& names) {
  QStringList parts;
  for (qsizetype i = 0; i < names.size(); ++i) {
    const auto word = [&](qsizetype k) { return names[k].role ? names[k].role->word : names[k].otherRole; };
    QString part = names[i].name;
    if (!word(i).isEmpty() && (i + 1 == names.size() || word(i + 1) != word(i))) part += u" ("_s + word(i) + u')';
    parts.append(part);
  }
  return joined(parts, u" - "_s);
}

// Fields 1 and 2 from the names and the statements of responsibility. The
// export writes field 2 as typed into the statement after field 1's
// collective names, and its persons as the last added entries: when the
// statement names persons, field 2 is the statement from there on and its
// persons are the last names. Otherwise the roles decide, and a statement
// that names no person ("μετάφραση Ν. Νικολάου") stands for the names of
// other roles. Collective names ("Ομάδα Συγγραφέων") join field 1 when no
// author heads the record.
void splitNames(QList<Name> names, const QStringList& statements, const QString& otherNamesText, qsizetype addedEntries,
                bool mainEntry, QList<QString>& fields) {
  QStringList collective = statements;
  QString field2 = otherNamesText;
  if (field2.isEmpty()) {
    for (qsizetype i = 0; i < statements.size(); ++i)
      if (personalNameCount(statements[i]) > 0) {
        collective = statements.first(i);
        field2 = statements.sliced(i).join(u" ; "_s);
        break;
      }
  }
  const qsizetype persons = personalNameCount(field2);
  QList<Name> field1 = names;
  if (persons > 0 && persons <= addedEntries) {
    field1 = names.first(names.size() - persons);
  } else {
    field1.clear();
    QList<Name> others;
    for (const Name& n : names) (n.authorial ? field1 : others).append(n);
    if (field2.isEmpty()) field2 = namesText(others);
  }
  fields[recordfield::kAuthor] =
      joined({namesText(field1), mainEntry ? QString() : joined(collective, u" - "_s)}, u" - "_s);
  fields[recordfield::kOtherNames] = field2;
}

// The subject heading: its term and subdivisions.
QString subjectOf(const MarcRecord& record, const QStringList& tags) {
  const QList<const MarcDataField*> found = record.all(tags);
  if (found.isEmpty()) return QString();
  QStringList parts;
  for (const auto& [code, text] : found.first()->subfields)
    if (QStringView(u"axyz").contains(code)) parts.append(withoutClosingPeriod(text));
  return joined(parts, u" - "_s);
}

QString bookNumberAndSubject(const QString& number, const QString& subject) {
  return joined({number, subject}, u" "_s);
}

// An area without its closing mark, and without the period after a year.
QString areaText(const QString& text) {
  QString area = withoutClosingMark(text);
  if (area.size() >= 2 && area.endsWith(u'.') && area[area.size() - 2].isDigit()) area.chop(1);
  return area;
}

// Several areas joined as a librarian types the publication data.
QString areasOf(const MarcRecord& record, const QList<std::pair<QStringList, QString>>& areas) {
  QStringList parts;
  for (const auto& [tags, codes] : areas)
    if (const QList<const MarcDataField*> found = record.all(tags); !found.isEmpty())
      for (const auto& [code, text] : found.first()->subfields)
        if (codes.contains(code)) parts.append(areaText(text));
  return joined(parts, u", "_s);
}

QList<QString> marc21Fields(const MarcRecord& record) {
  QList<QString> fields(recordfield::kBorrower);
  QStringList statements;
  if (const MarcDataField* title = record.first(tag(marc21::kTitle))) {
    QString text = withoutClosingMark(title->first(u'a'));
    for (const auto& [code, part] : title->subfields) {
      if (code == u'b') text += u" : "_s + withoutClosingMark(part);
      if (code == u'n' || code == u'p') text += u". "_s + withoutClosingMark(part);
    }
    // The export ends the title with a period only where no statement follows.
    fields[recordfield::kTitle] = title->all(u'c').isEmpty() ? withoutClosingPeriod(text) : text;
    QString statement = title->all(u'c').join(u" ; "_s).trimmed();
    // Initials the statement closed up are put back as the headings spell them.
    for (const MarcDataField* f : record.all({tag(marc21::kMainEntry), tag(marc21::kAddedEntry)}))
      if (const QString name = withoutClosingMark(f->first(u'a')); transcribed(name) != name)
        statement.replace(transcribed(name), name);
    statements = withoutClosingPeriod(statement).split(u" ; "_s, Qt::SkipEmptyParts);
  }
  const QStringList headings{tag(marc21::kMainEntry), u"110"_s, u"111"_s, tag(marc21::kAddedEntry), u"710"_s, u"711"_s};
  QList<Name> names;
  qsizetype added = 0;
  bool mainEntry = false;
  for (const MarcDataField* f : record.all(headings)) {
    names.append(nameOf(*f, joined(f->all(u'a') + f->all(u'b'), u" "_s), false));
    if (f->tag.startsWith(u'7'))
      ++added;
    else
      mainEntry = true;
  }
  splitNames(names, statements, QString(), added, mainEntry, fields);
  fields[recordfield::kPublication] =
      areasOf(record, {{{u"250"_s}, u"a"_s}, {{u"260"_s, u"264"_s}, u"abc"_s}, {{u"300"_s}, u"a"_s}});
  if (fields[recordfield::kPublication].isEmpty())
    fields[recordfield::kPublication] = areasOf(record, {{{tag(marc21::kNote)}, u"a"_s}});
  QString number;
  for (const MarcDataField* f : record.all({tag(marc21::kHoldings), tag(marc21::kKohaItem)}))
    if (number.isEmpty()) number = f->first(QChar::fromLatin1(marc21::kCopyNumber)).trimmed();
  fields[recordfield::kNumberAndSubject] = bookNumberAndSubject(
      number,
      subjectOf(record, {tag(marc21::kSubject), u"650"_s, u"651"_s, u"600"_s, u"610"_s, u"611"_s, u"630"_s, u"655"_s}));
  return fields;
}

QList<QString> unimarcFields(const MarcRecord& record) {
  QList<QString> fields(recordfield::kBorrower);
  QStringList statements;
  QString otherNames;
  if (const MarcDataField* title = record.first(tag(unimarc::kTitle))) {
    QString text = withoutClosingMark(title->first(u'a'));
    for (const QString& part : title->all(u'e')) text += u" : "_s + withoutClosingMark(part);
    fields[recordfield::kTitle] = text.remove(unimarc::kNsb).remove(unimarc::kNse);
    for (const QString& statement : title->all(u'f')) statements += statement.split(u" ; "_s, Qt::SkipEmptyParts);
    otherNames = title->all(u'g').join(u" ; "_s).trimmed();
  }
  QList<Name> names;
  qsizetype secondary = 0;
  bool mainEntry = false;
  for (const MarcDataField* f : record.all({tag(unimarc::kPrimaryName), tag(unimarc::kAlternativeName),
                                            tag(unimarc::kSecondaryName), u"710"_s, u"711"_s, u"712"_s})) {
    const bool person = f->tag.startsWith(u"70"_s);
    names.append(nameOf(*f, joined({f->first(u'a'), f->first(u'b')}, person ? u", "_s : u". "_s), true));
    secondary += f->tag == tag(unimarc::kSecondaryName) ? 1 : 0;
    mainEntry =
        mainEntry ||
        QStringList{tag(unimarc::kPrimaryName), tag(unimarc::kAlternativeName), u"710"_s, u"711"_s}.contains(f->tag);
  }
  splitNames(names, statements, otherNames, secondary, mainEntry, fields);
  fields[recordfield::kPublication] =
      areasOf(record, {{{u"205"_s}, u"a"_s}, {{u"210"_s, u"214"_s}, u"acd"_s}, {{u"215"_s}, u"a"_s}});
  if (fields[recordfield::kPublication].isEmpty())
    fields[recordfield::kPublication] = areasOf(record, {{{tag(unimarc::kNote)}, u"a"_s}});
  QString number;
  if (const MarcDataField* item = record.first(tag(unimarc::kItem)))
    number = item->first(QChar::fromLatin1(unimarc::kItemNumber)).trimmed();
  fields[recordfield::kNumberAndSubject] = bookNumberAndSubject(
      number, subjectOf(record, {tag(unimarc::kSubject), u"606"_s, u"607"_s, u"600"_s, u"601"_s, u"605"_s}));
  return fields;
}

}  // namespace

QList<QString> catalogueFieldsOf(const MarcRecord& record) {
  QStringList tags;
  for (const MarcDataField& field : record.fields) tags.append(field.tag);
  const MarcDataField* general = record.first(tag(unimarc::kGeneralData));
  return marcStandardOf(tags, general ? general->first(u'a') : QString()) == MarcStandard::Unimarc
             ? unimarcFields(record)
             : marc21Fields(record);
}
