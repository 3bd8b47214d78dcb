#include "labels/SpineText.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kAuthorLetters = 3;

bool joinsNumber(QChar c) { return c == u'.' || c == u'/' || c == u'-'; }

QString firstWord(const QString& text) {
  const QString t = text.trimmed();
  qsizetype end = 0;
  while (end < t.size() && !t[end].isSpace() && t[end] != u',') ++end;
  return t.left(end);
}

QString withoutAccents(const QString& upper) {
  QString out;
  for (QChar c : upper.normalized(QString::NormalizationForm_D))
    if (c.category() != QChar::Mark_NonSpacing) out += c;
  return out;
}

}  // namespace

QString SpineText::line() const {
  if (classification.isEmpty() || author.isEmpty()) return classification + author;
  return classification + u' ' + author;
}

QString classificationOf(const QString& numberAndSubject) {
  const QString word = firstWord(numberAndSubject);
  if (word.isEmpty()) return QString();
  if (word[0].isDigit()) {
    qsizetype end = 0;
    while (end < word.size() && (word[end].isDigit() || joinsNumber(word[end]))) ++end;
    while (end > 0 && joinsNumber(word[end - 1])) --end;
    return word.left(end);
  }
  for (QChar c : word)
    if (!c.isLetter() || !c.isUpper()) return QString();
  return word;
}

QString authorLettersOf(const QString& author) {
  QString letters;
  for (QChar c : firstWord(author)) {
    if (!c.isLetter()) continue;  // O'Brien is OBR
    letters += c;
    if (letters.size() == kAuthorLetters) break;
  }
  return withoutAccents(letters.toUpper());
}

SpineText spineTextOf(const QString& author, const QString& numberAndSubject) {
  return SpineText{classificationOf(numberAndSubject), authorLettersOf(author)};
}
