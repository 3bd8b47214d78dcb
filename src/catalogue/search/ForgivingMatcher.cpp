#include "catalogue/search/ForgivingMatcher.h"

#include <QtAlgorithms>
#include <algorithm>
#include <array>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define LOMIRA_SSE2 1
#endif

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"

namespace {

using FoldTable = std::array<unsigned char, 256>;

// Built from the rules rather than written out, so that each rule reads once.
constexpr FoldTable makeFoldTable() {
  FoldTable t{};
  for (int b = 0; b < 256; ++b) t[b] = static_cast<unsigned char>(b);
  for (int b = 'a'; b <= 'z'; ++b) t[b] = static_cast<unsigned char>(b - 0x20);
  // The small Greek letters α to ω lie 0x20 above their capitals; ς, at the
  // place of the missing capital, joins σ.
  for (int b = 0xE1; b <= 0xF9; ++b) t[b] = static_cast<unsigned char>(b - 0x20);
  t[0xF2] = 0xD3;

  // Each bare capital and the bytes of its accented and diaeresis forms.
  struct Marked {
    unsigned char bare;
    const char* forms;
  };
  constexpr Marked kMarked[] = {
      {0xC1, "\xA2\xDC"},              // Α: Ά ά
      {0xC5, "\xB8\xDD"},              // Ε: Έ έ
      {0xC7, "\xB9\xDE"},              // Η: Ή ή
      {0xC9, "\xBA\xDF\xC0\xDA\xFA"},  // Ι: Ί ί ΐ Ϊ ϊ
      {0xCF, "\xBC\xFC"},              // Ο: Ό ό
      {0xD5, "\xBE\xFD\xE0\xDB\xFB"},  // Υ: Ύ ύ ΰ Ϋ ϋ
      {0xD9, "\xBF\xFE"},              // Ω: Ώ ώ
  };
  for (const Marked& m : kMarked)
    for (const char* form = m.forms; *form; ++form) t[static_cast<unsigned char>(*form)] = m.bare;

  // After case folding, so that small Latin letters follow their capitals.
  constexpr char kLatin[] = "ABEZHIKMNOPTXY";
  constexpr unsigned char kGreek[] = {0xC1, 0xC2, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA,
                                      0xCC, 0xCD, 0xCF, 0xD1, 0xD4, 0xD7, 0xD5};
  for (int b = 0; b < 256; ++b) {
    for (size_t i = 0; i < sizeof kGreek; ++i)
      if (t[b] == static_cast<unsigned char>(kLatin[i])) t[b] = kGreek[i];
  }
  return t;
}

constexpr FoldTable kFold = makeFoldTable();

constexpr int mostSharers() {
  int most = 0;
  for (int folded = 0; folded < 256; ++folded) {
    int n = 0;
    for (int b = 0; b < 256; ++b) n += kFold[size_t(b)] == folded;
    most = n > most ? n : most;
  }
  return most;
}
static_assert(mostSharers() == ForgivingMatcher::kMostSharers);

}  // namespace

unsigned char forgivingFold(unsigned char byte) { return kFold[byte]; }

ForgivingMatcher::ForgivingMatcher(const QString& text, std::vector<int> fields) : m_fields(std::move(fields)) {
  m_needle = cp1253::encode(text, &m_encodable);
  if (m_needle.isEmpty()) m_encodable = false;
  for (char& c : m_needle) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
  if (m_encodable) chooseAnchors();
}

// The anchors are the needle's two bytes that the fewest bytes fold to, a
// blank last of all (fields are padded with blanks): rare letters, so that
// few places pass both.
void ForgivingMatcher::chooseAnchors() {
  std::array<std::vector<unsigned char>, 256> foldsTo;
  for (int b = 0; b < 256; ++b) foldsTo[kFold[size_t(b)]].push_back(static_cast<unsigned char>(b));
  const auto rank = [&](qsizetype i) {
    const unsigned char folded = static_cast<unsigned char>(m_needle[i]);
    return folded == ' ' ? size_t(256) : foldsTo[folded].size();
  };
  std::vector<qsizetype> places(size_t(m_needle.size()));
  for (qsizetype i = 0; i < m_needle.size(); ++i) places[size_t(i)] = i;
  std::stable_sort(places.begin(), places.end(), [&](qsizetype x, qsizetype y) { return rank(x) < rank(y); });
  for (size_t k = 0; k < 2; ++k) {
    Anchor& anchor = m_anchors[k];
    anchor.place = places[qMin(k, places.size() - 1)];
    const auto& bytes = foldsTo[static_cast<unsigned char>(m_needle[anchor.place])];
    anchor.count = int(bytes.size());
    std::copy(bytes.begin(), bytes.end(), anchor.bytes.begin());
  }
}

bool ForgivingMatcher::matchesAt(const unsigned char* start) const {
  const auto* needle = reinterpret_cast<const unsigned char*>(m_needle.constData());
  for (qsizetype j = 0; j < m_needle.size(); ++j)
    if (kFold[start[j]] != needle[j]) return false;
  return true;
}

#ifdef LOMIRA_SSE2
namespace {

// The bytes that fold to one anchor's byte, each in all sixteen lanes.
struct AnchorLanes {
  explicit AnchorLanes(const ForgivingMatcher::Anchor& anchor) : place(anchor.place), count(anchor.count) {
    for (int k = 0; k < count; ++k) bytes[k] = _mm_set1_epi8(static_cast<char>(anchor.bytes[size_t(k)]));
  }
  // Lanes whose byte at this place folds to the anchor's.
  __m128i hits(const unsigned char* start) const {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + place));
    __m128i hit = _mm_cmpeq_epi8(v, bytes[0]);
    for (int k = 1; k < count; ++k) hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, bytes[k]));
    return hit;
  }
  qsizetype place;
  int count;
  __m128i bytes[ForgivingMatcher::kMostSharers];
};

}  // namespace
#endif

bool ForgivingMatcher::matches(const char* record) const {
  if (!m_encodable || !record) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(record);
#ifdef LOMIRA_SSE2
  const AnchorLanes first(m_anchors[0]), second(m_anchors[1]);
#endif
  return std::any_of(m_fields.begin(), m_fields.end(), [&](int i) {
    if (i < 0 || i >= CatalogueRecord::kFieldCount) return false;
    const unsigned char* begin = bytes + CatalogueRecord::kOffset[i];
    const unsigned char* end = begin + CatalogueRecord::kWidth[i];
    const qsizetype length = m_needle.size();
    if (end - begin < length) return false;
    const unsigned char* start = begin;
    const unsigned char* const lastStart = end - length;
#ifdef LOMIRA_SSE2
    // Sixteen places at a time, trying only those where both anchors hold a
    // byte that folds to theirs. The last block is moved back to end at the
    // last place, so that no load leaves the field.
    while (lastStart - begin >= 15 && start <= lastStart) {
      unsigned skip = 0;
      if (start + 15 > lastStart) {
        skip = unsigned(start - (lastStart - 15));
        start = lastStart - 15;
      }
      unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(first.hits(start), second.hits(start)))) >> skip << skip;
      for (; mask; mask &= mask - 1)
        if (matchesAt(start + qCountTrailingZeroBits(mask))) return true;
      start += 16;
    }
#endif
    for (; start <= lastStart; ++start)
      if (matchesAt(start)) return true;
    return false;
  });
}
