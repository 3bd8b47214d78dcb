#include "transfer/XmlProblem.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtAlgorithms>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// Qt's messages, as its reader words them before any translation, and what
// each means to someone who did not write the file; %1 is the name Qt gives.
constexpr const char* kWronglyEncoded = "Encountered incorrectly encoded content.";

struct Known {
  const char* qt;
  const char16_t* said;
};
constexpr Known kKnown[] = {
    {"Opening and ending tag mismatch.", u"ένα στοιχείο κλείνει με άλλο όνομα από εκείνο με το οποίο άνοιξε"},
    {kWronglyEncoded, u"έχει χαρακτήρες που δεν είναι γραμμένοι σωστά στην κωδικοποίηση του αρχείου (όπως UTF-8)"},
    {"Entity expands to more characters than the entity expansion limit.",
     u"μια οντότητα (entity) γίνεται πάρα πολύ κείμενο, όπως στα αρχεία που φτιάχνονται για να γεμίσουν τη μνήμη"},
    {"Self-referencing entity detected.", u"μια οντότητα (entity) αναφέρεται στον εαυτό της"},
    {"Entity '%1' not declared.", u"χρησιμοποιεί την οντότητα «&%1;», που δεν ορίζεται πουθενά"},
    {"Invalid entity value.", u"μια οντότητα (entity) έχει άκυρη τιμή"},
    {"Reference to unparsed entity '%1'.", u"αναφέρεται στην οντότητα «%1», που δεν είναι κείμενο"},
    {"Reference to external entity '%1' in attribute value.",
     u"αναφέρεται στην εξωτερική οντότητα «%1», που δεν διαβάζεται"},
    {"Extra content at end of document.", u"έχει κι άλλο περιεχόμενο μετά το τέλος του εγγράφου"},
    {"Invalid document.", u"δεν είναι έγγραφο XML"},
    {"Start tag expected.", u"δεν έχει στοιχείο εκεί που πρέπει να ανοίγει ένα"},
    {"Expected character data.", u"έχει στοιχείο εκεί που πρέπει να υπάρχει μόνο κείμενο"},
    {"Attribute '%1' redefined.", u"η ιδιότητα «%1» δίνεται δύο φορές στο ίδιο στοιχείο"},
    {"Namespace prefix '%1' not declared", u"χρησιμοποιεί το πρόθεμα «%1» χωρίς να το δηλώνει"},
    {"Illegal namespace declaration.", u"δηλώνει λάθος χώρο ονομάτων (namespace)"},
    {"Invalid XML character.", u"έχει χαρακτήρα που δεν επιτρέπεται σε αρχείο XML"},
    {"Invalid character reference.", u"έχει αναφορά (&#…;) σε χαρακτήρα που δεν επιτρέπεται σε αρχείο XML"},
    {"Invalid XML name.", u"έχει όνομα στοιχείου ή ιδιότητας που δεν επιτρέπεται σε αρχείο XML"},
    {"Sequence ']]>' not allowed in content.", u"έχει τα σημάδια «]]>» μέσα σε κείμενο, όπου δεν επιτρέπονται"},
    {"Unexpected '%1'.", u"έχει σημάδι ή χαρακτήρα σε θέση όπου το XML δεν τον επιτρέπει"},
    {"Expected %1, but got '%2'.", u"έχει σημάδι ή χαρακτήρα σε θέση όπου το XML δεν τον επιτρέπει"},
    {"XML declaration not at start of document.", u"η δήλωση «<?xml …?>» δεν είναι στην αρχή του"},
    {"Invalid XML version string.", u"η δήλωση «<?xml …?>» δίνει έκδοση XML που δεν υπάρχει"},
    {"Unsupported XML version.", u"η δήλωση «<?xml …?>» δίνει έκδοση XML που δεν διαβάζεται"},
    {"Invalid attribute in XML declaration.", u"η δήλωση «<?xml …?>» στην αρχή του δεν είναι σωστή"},
    {"The standalone pseudo attribute must appear after the encoding.",
     u"η δήλωση «<?xml …?>» στην αρχή του δεν είναι σωστή"},
    {"Standalone accepts only yes or no.", u"η δήλωση «<?xml …?>» στην αρχή του δεν είναι σωστή"},
    {"Encoding %1 is unsupported", u"δηλώνει την κωδικοποίηση «%1», που δεν διαβάζεται"},
    {"%1 is an invalid encoding name.", u"δηλώνει την κωδικοποίηση «%1», που δεν υπάρχει"},
    {"Invalid processing instruction name.", u"έχει οδηγία «<?…?>» με λάθος όνομα"},
    {"%1 is an invalid processing instruction name.", u"έχει οδηγία «<?…?>» με λάθος όνομα"},
    {"%1 is an invalid PUBLIC identifier.", u"η δήλωση τύπου εγγράφου (DOCTYPE) δεν είναι σωστή"},
    {"Unexpected character '%1' in public id literal.", u"η δήλωση τύπου εγγράφου (DOCTYPE) δεν είναι σωστή"},
    {"NDATA in parameter entity declaration.", u"η δήλωση τύπου εγγράφου (DOCTYPE) δεν είναι σωστή"},
};

// The message Qt gives for `qt` (translated, if Qt's texts are), matched
// whole, its %1 and %2 standing for anything; the name given for %1, if any.
bool matches(const QString& message, const char* qt, QString& name) {
  QString pattern = QRegularExpression::escape(QCoreApplication::translate("QXmlStream", qt));
  const bool named = pattern.contains(u"\\%1"_s);
  pattern.replace(u"\\%1"_s, u"(.*)"_s).replace(u"\\%2"_s, u".*"_s);
  const QRegularExpressionMatch match =
      QRegularExpression(u"\\A"_s + pattern + u"\\z"_s, QRegularExpression::DotMatchesEverythingOption).match(message);
  if (!match.hasMatch()) return false;
  if (named) name = match.captured(1);
  return true;
}

bool isUtf8Continuation(char c) { return (uchar(c) & 0xC0) == 0x80; }

// The offset of the first byte of `bytes` that starts no UTF-8 character,
// or -1; a character cut at either end goes on in the next or last piece.
qsizetype firstNonUtf8(const QByteArray& bytes) {
  qsizetype i = 0;
  while (i < bytes.size() && i < 3 && isUtf8Continuation(bytes[i])) ++i;
  while (i < bytes.size()) {
    const uchar c = uchar(bytes[i]);
    const int more = c < 0x80                ? 0
                     : c >= 0xC2 && c < 0xE0 ? 1
                     : c >= 0xE0 && c < 0xF0 ? 2
                     : c >= 0xF0 && c < 0xF5 ? 3
                                             : -1;
    if (more < 0) return i;
    for (int k = 1; k <= more; ++k) {
      if (i + k == bytes.size()) return -1;
      if (!isUtf8Continuation(bytes[i + k])) return i;
    }
    i += more + 1;
  }
  return -1;
}

// Characters of UTF-8 from `from` up to `to`: the bytes less those that
// continue a character (10xxxxxx). Every piece fed passes here, so eight
// bytes at a time, each continuing byte leaving its top bit in `mask`.
qint64 charactersIn(const char* from, const char* to) {
  const qint64 bytes = to - from;
  qint64 continuing = 0;
  for (; to - from >= 8; from += 8) {
    quint64 word = 0;
    std::memcpy(&word, from, sizeof word);
    const quint64 mask = word & ~(word << 1) & 0x8080808080808080ULL;
    continuing += qPopulationCount(mask);
  }
  for (; from < to; ++from) continuing += isUtf8Continuation(*from);
  return bytes - continuing;
}

QString placeAt(qint64 line, qint64 column) { return u"γραμμή %1, στήλη %2"_s.arg(line).arg(column); }

}  // namespace

void XmlFeed::add(const QByteArray& piece) {
  const char* const begin = m_last.constData();
  const char* const end = begin + m_last.size();
  const char* lineStart = nullptr;
  for (const char* c = begin; (c = static_cast<const char*>(std::memchr(c, '\n', size_t(end - c)))); ++c) {
    ++m_lines;
    lineStart = c + 1;
  }
  m_column = lineStart ? charactersIn(lineStart, end) : m_column + charactersIn(begin, end);
  m_last = piece;
}

QString XmlFeed::placeOf(const QXmlStreamReader& xml) const {
  QString ignored;
  const qsizetype bad = matches(xml.errorString(), kWronglyEncoded, ignored) ? firstNonUtf8(m_last) : -1;
  if (bad < 0) return xmlPlace(xml);
  const qsizetype lineStart = m_last.lastIndexOf('\n', bad) + 1;
  const qint64 column =
      charactersIn(m_last.constData() + lineStart, m_last.constData() + bad) + (lineStart == 0 ? m_column : 0) + 1;
  return placeAt(m_lines + m_last.left(bad).count('\n') + 1, column);
}

QString xmlPlace(const QXmlStreamReader& xml) { return placeAt(xml.lineNumber(), xml.columnNumber()); }

QString xmlProblem(const QXmlStreamReader& xml) {
  if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
    return u"τελειώνει πριν κλείσουν τα στοιχεία του (κομμένο αρχείο)"_s;
  const QString message = xml.errorString();
  for (const Known& known : kKnown) {
    QString name;
    if (!matches(message, known.qt, name)) continue;
    const QString said = QString::fromUtf16(known.said);
    return said.contains(u"%1"_s) ? said.arg(name) : said;
  }
  return u"λάθος στη γραφή του (%1)"_s.arg(message);
}
