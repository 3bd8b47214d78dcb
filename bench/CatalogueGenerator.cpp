#include "CatalogueGenerator.h"

#include <QStringList>
#include <cstring>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"

using namespace Qt::StringLiterals;

namespace benchgen {
namespace {

// splitmix64: a small, fast generator seeded by the record number, so each
// record comes out the same without generating those before it.
class Random {
 public:
  // The seed is mixed first: consecutive records must not share a stream shifted by one draw.
  explicit Random(std::uint64_t seed) : m_state(mix(seed ^ 0x5DEECE66DULL)) {}
  std::uint64_t next() { return mix(m_state += 0x9E3779B97F4A7C15ULL); }
  int below(int n) { return int(next() % std::uint64_t(n)); }
  bool percent(int p) { return below(100) < p; }
  const QString& pick(const QStringList& list) { return list.at(below(int(list.size()))); }

 private:
  static std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::uint64_t m_state;
};

const QStringList& greekSurnames() {
  static const QStringList l{u"Παπαδόπουλος"_s, u"Αντωνίου"_s,  u"Γεωργίου"_s,      u"Δημητρίου"_s,   u"Κωνσταντίνου"_s,
                             u"Νικολάου"_s,     u"Ιωάννου"_s,   u"Μαυρίδης"_s,      u"Σταθόπουλος"_s, u"Λαμπράκης"_s,
                             u"Βασιλείου"_s,    u"Οικονόμου"_s, u"Χατζηγεωργίου"_s, u"Ζαχαρίου"_s,    u"Θεοδωρίδης"_s,
                             u"Τσακίρης"_s,     u"Φωτίου"_s,    u"Ψαρράς"_s,        u"Καραγιάννης"_s, u"Ευθυμίου"_s,
                             u"Αλεξίου"_s,      u"Μπακάλη"_s,   u"Πετροπούλου"_s,   u"Ραφαηλίδου"_s,  u"Σιδέρη"_s};
  return l;
}

const QStringList& greekNames() {
  static const QStringList l{u"Μαρία"_s,    u"Ελένη"_s,   u"Γιώργος"_s,    u"Νίκος"_s,   u"Κατερίνα"_s,
                             u"Δημήτρης"_s, u"Σοφία"_s,   u"Αλέξανδρος"_s, u"Ιωάννα"_s,  u"Παναγιώτης"_s,
                             u"Άννα"_s,     u"Χρήστος"_s, u"Ευαγγελία"_s,  u"Στέλιος"_s, u"Φωτεινή"_s};
  return l;
}

const QStringList& latinSurnames() {
  static const QStringList l{u"Smith"_s,   u"Martin"_s,  u"Rossi"_s, u"Garcia"_s, u"Schmidt"_s,
                             u"Johnson"_s, u"Bernard"_s, u"Novak"_s, u"Jensen"_s, u"Hughes"_s,
                             u"Fischer"_s, u"Moreau"_s,  u"Lopez"_s, u"Walker"_s, u"Becker"_s};
  return l;
}

const QStringList& latinNames() {
  static const QStringList l{u"John"_s,   u"Anne"_s,  u"Pierre"_s, u"Marco"_s, u"Julia"_s,
                             u"Thomas"_s, u"Clara"_s, u"Peter"_s,  u"Laura"_s, u"Hans"_s};
  return l;
}

const QStringList& greekTitleWords() {
  static const QStringList l{
      u"ταξίδι"_s,    u"θάλασσα"_s,    u"νησί"_s,   u"βουνό"_s,     u"φως"_s,    u"σκιά"_s,    u"ιστορία"_s,
      u"καλοκαίρι"_s, u"χειμώνας"_s,   u"δάσος"_s,  u"πόλη"_s,      u"φίλοι"_s,  u"μυστικό"_s, u"κήπος"_s,
      u"αστέρια"_s,   u"όνειρο"_s,     u"δρόμος"_s, u"σπίτι"_s,     u"πουλί"_s,  u"ποτάμι"_s,  u"παιδιά"_s,
      u"γράμματα"_s,  u"μαθηματικά"_s, u"φυσική"_s, u"γεωγραφία"_s, u"Ελλάδα"_s, u"αρχαία"_s,  u"μύθοι"_s,
      u"ήρωες"_s,     u"περιπέτεια"_s, u"της"_s,    u"του"_s,       u"και"_s,    u"στο"_s,     u"με"_s,
      u"για"_s,       u"το"_s,         u"η"_s,      u"ο"_s,         u"ένας"_s,   u"μια"_s,     u"Αιγαίο"_s};
  return l;
}

const QStringList& latinTitleWords() {
  static const QStringList l{u"the"_s,     u"of"_s,      u"and"_s,     u"Garden"_s,  u"Night"_s,   u"River"_s,
                             u"Stories"_s, u"Letters"_s, u"Secret"_s,  u"Light"_s,   u"History"_s, u"World"_s,
                             u"Island"_s,  u"Journey"_s, u"Science"_s, u"Ancient"_s, u"Myths"_s,   u"Modern"_s,
                             u"Poems"_s,   u"a"_s,       u"in"_s,      u"Winter"_s};
  return l;
}

const QStringList& places() {
  static const QStringList l{u"Αθήνα"_s,    u"Αθήνα"_s,  u"Θεσσαλονίκη"_s, u"Πάτρα"_s, u"Ηράκλειο"_s,
                             u"Ιωάννινα"_s, u"Λάρισα"_s, u"London"_s,      u"Paris"_s, u"New York"_s};
  return l;
}

const QStringList& publishers() {
  static const QStringList l{u"Πλειάδα"_s, u"Αστερίας"_s, u"Ορίζοντες"_s, u"Κυψέλη"_s,          u"Πυξίδα"_s,
                             u"Λύχνος"_s,  u"Ακτή"_s,     u"Γαλανός"_s,   u"Northwind Press"_s, u"Harbor Books"_s};
  return l;
}

const QStringList& subjects() {
  static const QStringList l{u"Λογοτεχνία - Μυθιστόρημα"_s,
                             u"Ιστορία"_s,
                             u"Φυσικές Επιστήμες"_s,
                             u"Μαθηματικά"_s,
                             u"Τέχνες"_s,
                             u"Ποίηση"_s,
                             u"Παιδικό Βιβλίο"_s,
                             u"Γεωγραφία"_s,
                             u"Φιλοσοφία"_s,
                             u"Λεξικά"_s,
                             u"Βιογραφία"_s,
                             u"Literature"_s};
  return l;
}

const QStringList& roles() {
  static const QStringList l{u"μτφρ. "_s, u"εικ. "_s, u"διασκ. "_s, u"πρόλ. "_s, u"εισαγ. "_s};
  return l;
}

QString person(Random& r, bool greek) {
  return greek ? r.pick(greekSurnames()) + u", "_s + r.pick(greekNames())
               : r.pick(latinSurnames()) + u", "_s + r.pick(latinNames());
}

QString title(Random& r, bool greek) {
  const QStringList& words = greek ? greekTitleWords() : latinTitleWords();
  QStringList parts;
  const int count = 2 + r.below(6);
  for (int i = 0; i < count; ++i) parts << r.pick(words);
  parts.first()[0] = parts.first().at(0).toUpper();
  QString text = parts.join(u' ');
  if (r.percent(30)) text += u": "_s + r.pick(words) + u' ' + r.pick(words);
  if (greek && r.percent(15)) text += u" ["_s + r.pick(latinTitleWords()) + u' ' + r.pick(latinTitleWords()) + u']';
  return text;
}

QString date(Random& r) {
  return QString::number(1 + r.below(28)) + u'/' + QString::number(1 + r.below(12)) + u"/2026"_s;
}

QString withMarker(const QString& text) {
  const qsizetype space = text.indexOf(u' ');
  if (space < 0) return marker() + u' ' + text;
  return text.left(space + 1) + marker() + u' ' + text.mid(space + 1);
}

}  // namespace

QString marker() { return u"ΛΑΒΥΡΙΝΘΟΣ"_s; }
bool hasMarker(std::int64_t n) { return n % 100 == 50; }
int markerField(std::int64_t n) { return int((n / 100) % 4); }
QString absentText() { return u"Ανύπαρκτη Σελίδα"_s; }
bool isDeleted(std::int64_t n) { return n % 200 == 123; }

std::array<QString, 6> fields(std::int64_t n) {
  if (isDeleted(n)) {
    const QString mark = u"~~~"_s;
    return {mark, mark, mark, mark, mark, mark};
  }
  Random r{std::uint64_t(n)};
  const bool greek = r.percent(80);
  std::array<QString, 6> f;
  f[0] = person(r, greek);
  if (r.percent(10)) f[0] += u" (επιμ.)"_s;
  if (r.percent(45)) f[1] = r.pick(roles()) + person(r, r.percent(70));
  f[2] = title(r, greek);
  f[3] = r.pick(places()) + u": "_s + r.pick(publishers()) + u", "_s + QString::number(1950 + r.below(76)) + u", "_s +
         QString::number(48 + r.below(850)) + u" σ."_s;
  f[4] = u"ΒΑ-"_s + QString::number(100000 + r.below(900000)) + u' ' + r.pick(subjects());
  if (r.percent(25)) f[5] = r.pick(greekSurnames()) + u' ' + r.pick(greekNames()) + u" - "_s + date(r);
  if (hasMarker(n)) f[size_t(markerField(n))] = withMarker(f[size_t(markerField(n))]);
  return f;
}

void encodeRecord(std::int64_t n, char* out) {
  std::memset(out, ' ', kRecordBytes);
  const std::array<QString, 6> f = fields(n);
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) {
    const QByteArray bytes = cp1253::encode(f[size_t(i)]);
    std::memcpy(out + CatalogueRecord::kOffset[i], bytes.constData(),
                size_t(qMin<qsizetype>(bytes.size(), CatalogueRecord::kWidth[i])));
  }
}

}  // namespace benchgen
