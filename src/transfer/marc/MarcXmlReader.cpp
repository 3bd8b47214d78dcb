// MARCXML (MARC21 slim or MARCXchange, MARC21 or UNIMARC) read with Qt's
// stream reader into the same form as ISO 2709. The file is fed to the
// reader in pieces, so that no text node, however long, is held beyond a
// bound, and elements nested deeper than MARCXML's own are refused.
#include <QFile>
#include <QXmlStreamReader>

#include "transfer/ReadingStop.h"
#include "transfer/XmlAttributes.h"
#include "transfer/XmlProblem.h"
#include "transfer/marc/MarcRecordReader.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kPiece = 64 * 1024;
// More input than this without one token is a text no record holds.
constexpr qint64 kMostPending = 4 * 1024 * 1024;
constexpr int kMostDepth = 16;

class MarcXmlReader : public MarcRecordReader {
 public:
  explicit MarcXmlReader(QIODevice& in) : m_in(in) {}

  Next next(MarcRecord& record, QString& error) override {
    record = MarcRecord();
    while (true) {
      const Token token = pull(error);
      if (token != Token::Ok)
        return token == Token::End ? Next::End : token == Token::Failed ? Next::Failed : Next::Damaged;
      if (m_xml.isStartElement() && isMarcXmlElement(m_xml, u"record")) {
        m_line = m_xml.lineNumber();
        return readRecord(record, error);
      }
    }
  }

  QString position() const override { return u"στη γραμμή %1"_s.arg(m_line); }

 private:
  enum class Token { Ok, End, Damaged, Failed };

  // The next token, feeding the reader as it needs.
  Token pull(QString& error) {
    while (true) {
      if (readingStopped()) {
        error = u"η ανάγνωση σταμάτησε"_s;
        return Token::Failed;
      }
      m_xml.readNext();
      if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !m_in.atEnd()) {
        const QByteArray piece = m_in.read(kPiece);
        if (piece.isEmpty()) {
          error = m_in.errorString();
          return Token::Failed;
        }
        m_pending += piece.size();
        if (m_pending > kMostPending) return damaged(error, u"έχει κείμενο πολύ μεγαλύτερο από όσο χωρά μια εγγραφή"_s);
        if (!m_attributes.feed(piece))
          return damaged(error, u"ένα στοιχείο XML έχει πάνω από %1 ιδιότητες, όσες κανένα στοιχείο του MARCXML"_s.arg(
                                    XmlAttributes::kMost));
        m_feed.add(piece);
        m_xml.addData(piece);
        continue;
      }
      m_pending = 0;
      m_line = std::max(m_line, m_xml.lineNumber());
      if (m_xml.hasError()) {
        if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
          return damaged(error, u"το αρχείο τελειώνει πριν κλείσει η εγγραφή (κομμένο αρχείο)"_s);
        return damaged(error, u"δεν είναι σωστό XML στη %1: %2"_s.arg(m_feed.placeOf(m_xml), xmlProblem(m_xml)));
      }
      if (m_xml.isStartElement() && ++m_depth > kMostDepth)
        return damaged(error, u"έχει στοιχεία XML φωλιασμένα πιο βαθιά από όσο έχει το MARCXML"_s);
      if (m_xml.isEndElement()) --m_depth;
      if (m_xml.isEndDocument()) return Token::End;
      return Token::Ok;
    }
  }

  Token damaged(QString& error, const QString& problem) {
    error = problem;
    return Token::Damaged;
  }

  // The text of the element just begun, bounded; false with `error` set.
  bool text(QString& out, QString& error, Token& token) {
    out.clear();
    while ((token = pull(error)) == Token::Ok) {
      if (m_xml.isCharacters()) {
        out += m_xml.text();
        if (out.size() > kMostMarcText) {
          token = damaged(error, u"έχει κείμενο πολύ μεγαλύτερο από όσο χωρά μια εγγραφή"_s);
          return false;
        }
      } else if (m_xml.isEndElement()) {
        return true;
      } else if (m_xml.isStartElement()) {
        token = damaged(error, u"έχει το στοιχείο «%1» μέσα σε κείμενο"_s.arg(m_xml.name()));
        return false;
      }
    }
    if (token == Token::End) token = damaged(error, u"το αρχείο τελειώνει πριν κλείσει η εγγραφή"_s);
    return false;
  }

  Next readRecord(MarcRecord& record, QString& error) {
    const int depth = m_depth;
    Token token = Token::Ok;
    QString content;
    MarcDataField* field = nullptr;
    qsizetype held = 0;
    while ((token = pull(error)) == Token::Ok) {
      if (m_xml.isEndElement() && m_depth < depth) return Next::Record;
      if (!m_xml.isStartElement()) continue;
      const QXmlStreamAttributes attributes = m_xml.attributes();
      const QString name = m_xml.name().toString();
      if (name == u"datafield"_s) {
        if (record.fields.size() >= kMostMarcFields) return damagedRecord(error, u"η εγγραφή έχει πάρα πολλά πεδία"_s);
        record.fields.append({attributes.value(u"tag"_s).toString(), {}, {}});
        field = &record.fields.last();
        continue;
      }
      if (name != u"leader"_s && name != u"controlfield"_s && name != u"subfield"_s) continue;
      if (!text(content, error, token)) break;
      held += content.size();
      if (held > kMostMarcText) return damagedRecord(error, u"έχει κείμενο πολύ μεγαλύτερο από όσο χωρά μια εγγραφή"_s);
      if (name == u"leader"_s) {
        record.leader = content;
      } else if (name == u"controlfield"_s) {
        if (record.fields.size() >= kMostMarcFields) return damagedRecord(error, u"η εγγραφή έχει πάρα πολλά πεδία"_s);
        record.fields.append({attributes.value(u"tag"_s).toString(), content, {}});
        field = nullptr;
      } else if (field) {
        const QStringView code = attributes.value(u"code"_s);
        field->subfields.append({code.isEmpty() ? QChar(u' ') : code[0], content});
      }
    }
    if (token == Token::End) return damagedRecord(error, u"το αρχείο τελειώνει πριν κλείσει η εγγραφή"_s);
    return token == Token::Failed ? Next::Failed : Next::Damaged;
  }

  Next damagedRecord(QString& error, const QString& problem) {
    error = problem;
    return Next::Damaged;
  }

  QIODevice& m_in;
  QXmlStreamReader m_xml;
  XmlAttributes m_attributes;
  XmlFeed m_feed;
  qint64 m_pending = 0;
  qint64 m_line = 1;
  int m_depth = 0;
};

}  // namespace

std::unique_ptr<MarcRecordReader> makeMarcXmlReader(QIODevice& in) { return std::make_unique<MarcXmlReader>(in); }
