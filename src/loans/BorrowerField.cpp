#include "loans/BorrowerField.h"

#include <QByteArray>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "catalogue/Cp1253.h"
#include "catalogue/search/ForgivingMatcher.h"

using namespace Qt::StringLiterals;

namespace loans {
namespace {

// Years a four-digit year may name; anything else is a typing slip.
constexpr int kFirstYear = 1950;
constexpr int kLastYear = 2099;
constexpr int kMonthsEitherWay = 6;

// The text folded as the forgiving search folds it: Greek and Latin letters
// to capitals without accents, Latin look-alikes to Greek.
using Folded = QVarLengthArray<unsigned char, 64>;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC1 && c <= 0xD9); }
// The tonos-like marks after a class's grade: the code page's tonos and
// quotation marks, the apostrophe and the grave accent are all one mark.
bool isMark(unsigned char c) { return c == 0xB4 || c == 0x92 || c == 0x91 || c == '\'' || c == '`'; }
bool isWordByte(unsigned char c) { return isDigit(c) || isLetter(c) || isMark(c); }
bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == 0xA0; }
bool isDateSeparator(unsigned char c) { return c == '/' || c == '-' || c == '.'; }
// What may stand around a word without being part of it.
bool isPunctuation(unsigned char c) {
  return c == '-' || c == ',' || c == ';' || c == ':' || c == '(' || c == ')' || c == '[' || c == ']' || c == '/' ||
         c == '\\' || c == 0x96 || c == 0x97 || c == 0xB7 || c == '"' || c == 0xAB || c == 0xBB || isMark(c);
}

QByteArray folded(const QString& text) {
  QByteArray bytes = cp1253::encode(text);
  for (char& b : bytes) b = char(forgivingFold(static_cast<unsigned char>(b)));
  return bytes;
}

// Month words, folded: the nominative, the genitive and the usual shortenings.
struct MonthWord {
  QByteArray word;
  int month;
};

const std::vector<MonthWord>& monthWords() {
  static const std::vector<MonthWord> words = [] {
    const QStringList months[12] = {
        {u"Ιανουάριος"_s, u"Ιανουαρίου"_s, u"Ιαν"_s},
        {u"Φεβρουάριος"_s, u"Φεβρουαρίου"_s, u"Φεβ"_s, u"Φεβρ"_s},
        {u"Μάρτιος"_s, u"Μαρτίου"_s, u"Μαρ"_s, u"Μαρτ"_s},
        {u"Απρίλιος"_s, u"Απριλίου"_s, u"Απρ"_s},
        {u"Μάιος"_s, u"Μαΐου"_s, u"Μαΐ"_s, u"Μάη"_s},
        {u"Ιούνιος"_s, u"Ιουνίου"_s, u"Ιουν"_s},
        {u"Ιούλιος"_s, u"Ιουλίου"_s, u"Ιουλ"_s},
        {u"Αύγουστος"_s, u"Αυγούστου"_s, u"Αυγ"_s},
        {u"Σεπτέμβριος"_s, u"Σεπτεμβρίου"_s, u"Σεπ"_s, u"Σεπτ"_s},
        {u"Οκτώβριος"_s, u"Οκτωβρίου"_s, u"Οκτ"_s},
        {u"Νοέμβριος"_s, u"Νοεμβρίου"_s, u"Νοε"_s, u"Νοεμ"_s},
        {u"Δεκέμβριος"_s, u"Δεκεμβρίου"_s, u"Δεκ"_s, u"Δεκεμ"_s},
    };
    std::vector<MonthWord> all;
    for (int m = 0; m < 12; ++m)
      for (const QString& form : months[m]) all.push_back({folded(form), m + 1});
    return all;
  }();
  return words;
}

// Words that join the parts of the text and belong to no name.
const std::vector<QByteArray>& joiningWords() {
  static const std::vector<QByteArray> words = [] {
    std::vector<QByteArray> all;
    for (const QString& w :
         {u"τμήμα"_s, u"τμ"_s, u"τμ."_s, u"επιστροφή"_s, u"επιστρ."_s, u"έως"_s, u"ως"_s, u"μέχρι"_s})
      all.push_back(folded(w));
    return all;
  }();
  return words;
}

bool isJoiningWord(const unsigned char* word, int length) {
  // Most words of a name start with a letter no joining word starts with.
  static const std::array<bool, 256> firstBytes = [] {
    std::array<bool, 256> t{};
    for (const QByteArray& joining : joiningWords()) t[static_cast<unsigned char>(joining[0])] = true;
    return t;
  }();
  if (length == 0 || !firstBytes[word[0]]) return false;
  for (const QByteArray& joining : joiningWords())
    if (joining.size() == length && static_cast<unsigned char>(joining[0]) == word[0] &&
        std::memcmp(joining.constData(), word, size_t(length)) == 0)
      return true;
  return false;
}

// The forgiving search's fold, asked once per byte value rather than once per byte read.
const std::array<unsigned char, 256>& foldTable() {
  static const std::array<unsigned char, 256> fold = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[size_t(b)] = forgivingFold(static_cast<unsigned char>(b));
    return t;
  }();
  return fold;
}

int monthOf(const unsigned char* word, int length) {
  for (const MonthWord& m : monthWords())
    if (m.word.size() == length && std::equal(word, word + length, m.word.constData(), [](unsigned char a, char b) {
          return a == static_cast<unsigned char>(b);
        }))
      return m.month;
  return 0;
}

// A piece of the text the reader has taken: a date (sound or not) or a class.
struct Piece {
  enum class Kind { Date, BadDate, Class };
  Kind kind;
  int begin;
  int end;
};

class Reader {
 public:
  Reader(const char* bytes, int length, const QDate& today) : m_raw(bytes), m_n(length), m_today(today) {
    m_t.resize(length);
    const std::array<unsigned char, 256>& fold = foldTable();
    for (int i = 0; i < length; ++i) m_t[i] = fold[static_cast<unsigned char>(bytes[i])];
  }

  // `dateText`: make the date's text, not only say where it stands.
  BorrowerReading read(bool dateText);

 private:
  int digitsAt(int i) const {
    int j = i;
    while (j < m_n && isDigit(m_t[j])) ++j;
    return j - i;
  }
  int number(int i, int count) const {
    int v = 0;
    for (int j = i; j < i + count; ++j) v = v * 10 + (m_t[j] - '0');
    return v;
  }
  bool wordBefore(int i) const { return i > 0 && isWordByte(m_t[i - 1]); }
  bool wordAt(int i) const { return i < m_n && isWordByte(m_t[i]); }

  int numericDate(int i);
  int wordDate(int i);
  int schoolClass(int i);
  void takeDate(int begin, int end, int day, int month, int year);
  using Bytes = QVarLengthArray<char, 64>;
  void nameOutside(Bytes& raw, Bytes& key) const;

  const char* m_raw;
  int m_n;
  QDate m_today;
  Folded m_t;
  QVarLengthArray<Piece, 8> m_pieces;
  QDate m_due;
  int m_grade = 0;
  int m_section = 0;
  bool m_twoClasses = false;
};

// The date of day/month in `year`, or with no year (0) the nearest such
// date to the day of the list within six months either way.
QDate dateOf(int day, int month, int year, const QDate& today) {
  if (year != 0) return year >= kFirstYear && year <= kLastYear ? QDate(year, month, day) : QDate();
  const QDate earliest = today.addMonths(-kMonthsEitherWay);
  const QDate latest = today.addMonths(kMonthsEitherWay);
  QDate best;
  for (int y = today.year() - 1; y <= today.year() + 1; ++y) {
    const QDate d(y, month, day);
    if (!d.isValid() || d < earliest || d > latest) continue;
    if (!best.isValid() || qAbs(today.daysTo(d)) < qAbs(today.daysTo(best))) best = d;
  }
  return best;
}

void Reader::takeDate(int begin, int end, int day, int month, int year) {
  const QDate date = dateOf(day, month, year, m_today);
  m_pieces.push_back({date.isValid() ? Piece::Kind::Date : Piece::Kind::BadDate, begin, end});
  if (date.isValid()) m_due = date;
}

// 15/12/2026, 15-12-26, 15.12, 5/1. Anything shaped as number, separator,
// number that is not such a date is a bad date, so that it is never read
// as something else.
int Reader::numericDate(int i) {
  const int nd = digitsAt(i);
  const int sep = i + nd;
  if (sep + 1 >= m_n || !isDateSeparator(m_t[sep]) || !isDigit(m_t[sep + 1])) return -1;
  const int nm = digitsAt(sep + 1);
  int end = sep + 1 + nm;
  int year = 0;
  bool sound = nd <= 2 && nm <= 2;
  if (end + 1 < m_n && m_t[end] == m_t[sep] && isDigit(m_t[end + 1])) {
    const int ny = digitsAt(end + 1);
    year = ny == 2 ? 2000 + number(end + 1, 2) : ny == 4 ? number(end + 1, 4) : -1;
    sound = sound && year > 0;
    end += 1 + ny;
  }
  // A further separator and number ("1/2/3/4") or letters glued on.
  if (end + 1 < m_n && isDateSeparator(m_t[end]) && isDigit(m_t[end + 1])) sound = false;
  if (wordAt(end)) sound = false;
  if (!sound) {
    while (end < m_n && (isWordByte(m_t[end]) || isDateSeparator(m_t[end]))) ++end;
    m_pieces.push_back({Piece::Kind::BadDate, i, end});
    return end;
  }
  takeDate(i, end, number(i, nd), number(sep + 1, nm), year);
  return end;
}

// 15 Δεκ, 15 Δεκεμβρίου 2026, 3 ΜΑΪΟΥ 26.
int Reader::wordDate(int i) {
  const int nd = digitsAt(i);
  if (nd > 2) return -1;
  int w = i + nd;
  while (w < m_n && isBlank(m_t[w])) ++w;
  int we = w;
  while (we < m_n && isLetter(m_t[we])) ++we;
  const int month = monthOf(m_t.constData() + w, we - w);
  if (month == 0 || wordAt(we)) return -1;
  int end = we;
  if (end < m_n && m_t[end] == '.') ++end;
  int y = end;
  while (y < m_n && isBlank(m_t[y])) ++y;
  const int ny = digitsAt(y);
  int year = 0;
  // A number that starts another date ("15 Δεκ 20/12") is not the year.
  const bool startsDate = y + ny + 1 < m_n && isDateSeparator(m_t[y + ny]) && isDigit(m_t[y + ny + 1]);
  if ((ny == 2 || ny == 4) && !wordAt(y + ny) && !startsDate) {
    year = ny == 2 ? 2000 + number(y, 2) : number(y, 4);
    end = y + ny;
  }
  takeDate(i, end, number(i, nd), month, year);
  return end;
}

// Α1, Β2, Γ΄1, Γ'1, Β` 2, ΣΤ1, ΣΤ΄2, Γ΄: a grade from Α to ΣΤ, then a mark
// or a section number or both.
int Reader::schoolClass(int i) {
  int j = i;
  int grade = 0;
  if (i + 1 < m_n && m_t[i] == 0xD3 && m_t[i + 1] == 0xD4) {
    grade = 6;
    j = i + 2;
  } else if (m_t[i] >= 0xC1 && m_t[i] <= 0xC5) {
    grade = m_t[i] - 0xC1 + 1;
    j = i + 1;
  } else {
    return -1;
  }
  int end = j;
  const bool marked = j < m_n && isMark(m_t[j]);
  bool spaced = false;
  if (marked) {
    end = ++j;
    while (j < m_n && isBlank(m_t[j])) ++j;
    spaced = j > end;
  }
  int nd = digitsAt(j);
  // "ΣΤ΄ 1/12": a number set apart from the mark that starts a date is the date's.
  if (spaced && j + nd + 1 < m_n && isDateSeparator(m_t[j + nd]) && isDigit(m_t[j + nd + 1])) nd = 0;
  if (nd > 2 || (nd == 0 && !marked)) return -1;
  if (nd > 0) end = j + nd;
  if (wordAt(end)) return -1;
  const int section = nd > 0 ? number(j, nd) : 0;
  if (m_grade != 0 && (m_grade != grade || m_section != section)) m_twoClasses = true;
  m_grade = grade;
  m_section = section;
  m_pieces.push_back({Piece::Kind::Class, i, end});
  return end;
}

// The words outside the pieces taken, blanks made single: as typed into
// `raw`, folded into `key`.
void Reader::nameOutside(Bytes& raw, Bytes& key) const {
  auto takeWord = [&](int b, int e) {
    while (b < e && isPunctuation(m_t[b])) ++b;
    while (e > b && isPunctuation(m_t[e - 1])) --e;
    const unsigned char* w = m_t.constData() + b;
    if (!std::any_of(w, w + (e - b), [](unsigned char c) { return isLetter(c) || isDigit(c); })) return;
    if (isJoiningWord(w, e - b)) return;
    if (!raw.isEmpty()) {
      raw.append(' ');
      key.append(' ');
    }
    raw.append(m_raw + b, e - b);
    key.append(reinterpret_cast<const char*>(w), e - b);
  };
  qsizetype p = 0;
  int start = -1;
  for (int i = 0; i <= m_n; ++i) {
    const bool inPiece = p < m_pieces.size() && i >= m_pieces[p].begin && i < m_pieces[p].end;
    const bool breaks = i == m_n || inPiece || isBlank(m_t[i]);
    if (breaks && start >= 0) {
      takeWord(start, i);
      start = -1;
    }
    if (inPiece) {
      i = m_pieces[p++].end - 1;
      continue;
    }
    if (!breaks && start < 0) start = i;
  }
}

BorrowerReading Reader::read(bool dateText) {
  BorrowerReading r;
  r.state = BorrowerReading::State::Unreadable;
  const auto unreadable = [&] {
    r.typed = cp1253::decode(m_raw, m_n);
    r.dueAt = r.dueLength = 0;
    return r;
  };
  for (int i = 0; i < m_n;) {
    int end = -1;
    if (!wordBefore(i)) {
      if (isDigit(m_t[i])) {
        end = numericDate(i);
        if (end < 0) end = wordDate(i);
      } else if (isLetter(m_t[i])) {
        end = schoolClass(i);
      }
    }
    if (end < 0) {
      end = i + 1;
      while (end < m_n && isWordByte(m_t[end]) && isWordByte(m_t[i])) ++end;
    }
    i = end;
  }

  int dates = 0;
  for (const Piece& piece : m_pieces) {
    if (piece.kind == Piece::Kind::BadDate) return unreadable();
    if (piece.kind == Piece::Kind::Date) {
      ++dates;
      r.dueAt = piece.begin;
      r.dueLength = piece.end - piece.begin;
    }
  }
  if (dates != 1 || m_twoClasses) return unreadable();
  nameOutside(r.nameBytes, r.nameKey);
  if (r.nameBytes.isEmpty()) return unreadable();
  r.state = BorrowerReading::State::Readable;
  if (dateText) r.dueTyped = cp1253::decode(m_raw + r.dueAt, r.dueLength);
  r.due = m_due;
  r.grade = m_grade;
  r.section = m_section;
  return r;
}

// The shape nearly every field has, "Παπαδόπουλος Γιώργος - 15/12/2026":
// words of letters and blanks, perhaps a dash, then a date with its year.
// Read in one pass to the very result the reader above gives; any other
// shape, or a doubt (a word left out of names, a date that is not one), is
// left to that reader, and the answer is false.
bool readPlain(const char* bytes, int n, const QDate& today, bool dateText, BorrowerReading& r) {
  const std::array<unsigned char, 256>& fold = foldTable();
  const auto f = [&](int i) { return fold[static_cast<unsigned char>(bytes[i])]; };
  // The date is the last word; the one before it ends in a blank.
  int last = n;
  while (last > 0 && bytes[last - 1] != ' ') --last;
  if (last == 0) return false;
  int i = last;
  // The digits at i, read on; their count (a number too long stops counting at 9).
  const auto number = [&](int& value) {
    int count = 0;
    for (value = 0; i < n && isDigit(f(i)) && count < 9; ++i, ++count) value = value * 10 + (f(i) - '0');
    return count;
  };
  int day = 0;
  int month = 0;
  int year = 0;
  const int nd = number(day);
  if (nd < 1 || nd > 2 || i >= n || !isDateSeparator(f(i))) return false;
  const unsigned char separator = f(i++);
  const int nm = number(month);
  if (nm < 1 || nm > 2 || i >= n || f(i++) != separator) return false;
  const int ny = number(year);
  if (i != n || (ny != 2 && ny != 4) || year == 0) return false;
  const QDate due = dateOf(day, month, ny == 2 ? 2000 + year : year, today);
  if (!due.isValid()) return false;

  // The name in one pass, a word's letters in a tight loop; a dash standing
  // alone is left out. The byte before the date is a blank, so every word ends.
  static const std::array<bool, 256> letters = [] {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c) t[size_t(c)] = isLetter(foldTable()[size_t(c)]);
    return t;
  }();
  const auto at = [&](int k) { return static_cast<unsigned char>(bytes[k]); };
  r.nameBytes.resize(last);
  r.nameKey.resize(last);
  char* const raw = r.nameBytes.data();
  char* const key = r.nameKey.data();
  int out = 0;
  for (int k = 0; k < last;) {
    if (at(k) == ' ' || (at(k) == '-' && at(k + 1) == ' ' && (k == 0 || at(k - 1) == ' '))) {
      ++k;
      continue;
    }
    if (out > 0) raw[out] = key[out] = ' ', ++out;
    const int word = out;
    for (; letters[at(k)]; ++k, ++out) {
      raw[out] = char(at(k));
      key[out] = char(fold[at(k)]);
    }
    if (at(k) != ' ' || out == word) return false;
    if (isJoiningWord(reinterpret_cast<const unsigned char*>(key + word), out - word)) return false;
  }
  r.nameBytes.resize(out);
  r.nameKey.resize(out);
  if (out == 0) return false;
  r.state = BorrowerReading::State::Readable;
  r.due = due;
  r.dueAt = last;
  r.dueLength = n - last;
  if (dateText) r.dueTyped = cp1253::decode(bytes + last, n - last);
  return true;
}

}  // namespace

QString schoolClassName(int grade, int section) {
  static const QString kGrades[] = {u"Α"_s, u"Β"_s, u"Γ"_s, u"Δ"_s, u"Ε"_s, u"ΣΤ"_s};
  if (grade < 1 || grade > 6) return QString();
  return section > 0 ? kGrades[grade - 1] + QString::number(section) : kGrades[grade - 1];
}

QString BorrowerReading::name() const { return cp1253::decode(nameBytes.constData(), int(nameBytes.size())); }

namespace {

enum class Path { ShapeFirst, InFull };

BorrowerReading readTrimmed(const char* bytes, int length, const QDate& today, bool dateText, Path path) {
  const char* const start = bytes;
  while (length > 0 && isBlank(static_cast<unsigned char>(bytes[0]))) {
    ++bytes;
    --length;
  }
  while (length > 0 && isBlank(static_cast<unsigned char>(bytes[length - 1]))) --length;
  if (length == 0 || (length == 3 && std::equal(bytes, bytes + 3, "~~~"))) return {};
  BorrowerReading r;
  if (path == Path::InFull || !readPlain(bytes, length, today, dateText, r))
    r = Reader(bytes, length, today).read(dateText);
  if (r.readable()) r.dueAt += int(bytes - start);
  return r;
}

}  // namespace

BorrowerReading readBorrower(const char* bytes, int length, const QDate& today) {
  return readTrimmed(bytes, length, today, true, Path::ShapeFirst);
}

BorrowerReading readBorrowerInPlace(const char* bytes, int length, const QDate& today) {
  return readTrimmed(bytes, length, today, false, Path::ShapeFirst);
}

BorrowerReading readBorrowerInFull(const char* bytes, int length, const QDate& today) {
  return readTrimmed(bytes, length, today, true, Path::InFull);
}

BorrowerReading readBorrower(const QString& text, const QDate& today) {
  const QByteArray bytes = cp1253::encode(text);
  return readBorrower(bytes.constData(), int(bytes.size()), today);
}

}  // namespace loans
