#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <vector>

#include "catalogue/search/RecordMatcher.h"

// The forgiving search's fold of one Windows-1253 byte: Greek and Latin
// letters to upper case without accents or diaeresis, final sigma to sigma,
// and the Latin capitals that look like Greek ones (A B E Z H I K M N O P T
// X Y) to those Greek letters. Every other byte stays as it is.
unsigned char forgivingFold(unsigned char byte);

// A "field contains text" test like FieldMatcher's, comparing the text and
// the record after folding both, so that "καζαντζακης" finds "ΚΑΖΑΝΤΖΑΚΗΣ"
// stored with a Latin A. A text the code page cannot hold, or an empty one,
// matches nothing.
class ForgivingMatcher : public RecordMatcher {
 public:
  ForgivingMatcher(const QString& text, std::vector<int> fields);
  // True when any of the fields of the 350 record bytes contains the text.
  bool matches(const char* record) const override;

  // The most bytes that fold to one byte (Ι and Υ have nine).
  static constexpr int kMostSharers = 9;
  // A place in the needle and every byte that folds to the needle's byte there.
  struct Anchor {
    qsizetype place = 0;
    int count = 0;
    std::array<unsigned char, kMostSharers> bytes{};
  };

 private:
  void chooseAnchors();
  bool matchesAt(const unsigned char* start) const;

  QByteArray m_needle;  // folded
  bool m_encodable = true;
  std::array<Anchor, 2> m_anchors;
  std::vector<int> m_fields;
};
