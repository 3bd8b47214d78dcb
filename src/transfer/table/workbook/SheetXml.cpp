#include "transfer/table/workbook/SheetXml.h"

#include "transfer/ReadingStop.h"
#include "transfer/table/workbook/SheetRows.h"

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 kPiece = 64 * 1024;
}

SheetXml::SheetXml(QIODevice* device, const QString& path, const QString& entry)
    : m_device(device), m_path(path), m_entry(entry) {}

QXmlStreamReader::TokenType SheetXml::readNext() {
  for (;;) {
    if (readingStopped()) return stop(u"η ανάγνωση σταμάτησε"_s);
    const TokenType token = QXmlStreamReader::readNext();
    if (error() == PrematureEndOfDocumentError && !m_device->atEnd()) {
      const QByteArray piece = m_device->read(kPiece);
      // The device says why it stopped (ZipEntries::streamError).
      if (piece.isEmpty()) return token;
      if ((m_pending += piece.size()) > kMostToken)
        return stop(SheetRows::tooBig(
            m_path, u"το μέρος «%1» έχει κείμενο πάνω από %2 MB χωρίς διακοπή, όσο κανένα κελί"_s.arg(m_entry).arg(
                        kMostToken >> 20)));
      if (!m_attributes.feed(piece))
        return stop(SheetRows::damaged(
            m_path,
            u"ένα στοιχείο του μέρους «%1» έχει πάνω από %2 ιδιότητες"_s.arg(m_entry).arg(XmlAttributes::kMost)));
      m_feed.add(piece);
      addData(piece);
      continue;
    }
    if (error() == NotWellFormedError) return stop(SheetRows::notXml(m_path, m_entry, *this, m_feed.placeOf(*this)));
    m_pending = 0;
    if (token == StartElement && ++m_depth > kMostDepth)
      return stop(SheetRows::damaged(
          m_path,
          u"το μέρος «%1» έχει στοιχεία φωλιασμένα πάνω από %2 επίπεδα, πιο βαθιά από κάθε φύλλο"_s.arg(m_entry).arg(
              kMostDepth)));
    if (token == EndElement) --m_depth;
    return token;
  }
}

void SheetXml::skipCurrentElement() {
  for (int depth = 1; depth > 0 && !atEnd();) {
    const TokenType token = readNext();
    if (token == StartElement) ++depth;
    if (token == EndElement) --depth;
  }
}

QString SheetXml::readElementText() {
  QString text;
  while (!atEnd()) {
    const TokenType token = readNext();
    if (token == EndElement) break;
    if (token == Characters || token == EntityReference) appendToCell(text, this->text());
    if (token == StartElement) {
      stop(SheetRows::damaged(
          m_path, u"το μέρος «%1» έχει στοιχείο μέσα σε κείμενο (γραμμή %2)"_s.arg(m_entry).arg(lineNumber())));
      break;
    }
  }
  return text;
}

QXmlStreamReader::TokenType SheetXml::stop(const QString& message) {
  raiseError(message);
  return Invalid;
}
