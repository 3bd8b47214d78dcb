// ISO 2709 records (MARC21 and UNIMARC) read with YAZ. Each record's frame
// is checked first (the leader's lengths, the directory, the terminators),
// so a damaged file is refused where it breaks and YAZ never reads past a
// record. The text is converted to UTF-8 by YAZ from the character set the
// record names: MARC21's leader/09 ('a' UTF-8, else MARC-8), UNIMARC's 100 $a
// positions 26-27 ("50" UTF-8, "01"-"03" ISO 646 and ISO 5426).
#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>
#include <yaz/yaz-iconv.h>

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "transfer/marc/MarcRecordReader.h"

using namespace Qt::StringLiterals;

namespace {

constexpr char kFieldTerminator = 0x1E;
constexpr char kRecordTerminator = 0x1D;
constexpr char kSubfieldMark = 0x1F;
constexpr int kLeaderLength = 24;

bool digits(const QByteArray& bytes, qsizetype from, qsizetype count) {
  for (qsizetype i = from; i < from + count; ++i)
    if (i >= bytes.size() || bytes[i] < '0' || bytes[i] > '9') return false;
  return true;
}

}  // namespace

bool isIso2709Leader(const QByteArray& leader) {
  return leader.size() >= kLeaderLength && digits(leader, 0, 5) && digits(leader, 10, 7) && leader.mid(20, 2) == "45" &&
         leader.left(5).toInt() > kLeaderLength && leader.mid(12, 5).toInt() > kLeaderLength;
}

namespace {

// What is wrong with a record's frame, or nothing.
QString frameError(const QByteArray& record) {
  const int base = record.mid(12, 5).toInt();
  if (base >= record.size() || record[base - 1] != kFieldTerminator)
    return u"ο κατάλογος πεδίων της εγγραφής δεν τελειώνει εκεί που λέει η αρχή της"_s;
  if ((base - 1 - kLeaderLength) % 12 != 0) return u"ο κατάλογος πεδίων της εγγραφής έχει μισή καταχώριση"_s;
  const int dataLength = int(record.size()) - 1 - base;
  for (int entry = kLeaderLength; entry < base - 1; entry += 12) {
    if (!digits(record, entry + 3, 9)) return u"ο κατάλογος πεδίων της εγγραφής έχει μη αριθμητικό μήκος"_s;
    const int length = record.mid(entry + 3, 4).toInt();
    const int start = record.mid(entry + 7, 5).toInt();
    if (length < 1 || start + length > dataLength || record[base + start + length - 1] != kFieldTerminator)
      return u"το πεδίο %1 βγαίνει έξω από την εγγραφή ή δεν τελειώνει σωστά"_s.arg(
          QString::fromLatin1(record.mid(entry, 3)));
  }
  return QString();
}

// The tags of the directory and the raw text of the first 100 $a.
void directory(const QByteArray& record, QStringList& tags, QByteArray& field100a) {
  const int base = record.mid(12, 5).toInt();
  for (int entry = kLeaderLength; entry < base - 1; entry += 12) {
    const QByteArray tag = record.mid(entry, 3);
    tags.append(QString::fromLatin1(tag));
    if (tag != "100" || !field100a.isEmpty()) continue;
    const QByteArray data = record.mid(base + record.mid(entry + 7, 5).toInt(), record.mid(entry + 3, 4).toInt() - 1);
    const qsizetype a = data.indexOf(QByteArray(1, kSubfieldMark) + 'a');
    if (a >= 0) field100a = data.mid(a + 2).split(kSubfieldMark).first();
  }
}

class Iso2709Reader : public MarcRecordReader {
 public:
  explicit Iso2709Reader(QIODevice& in) : m_in(in), m_marc(yaz_marc_create()), m_json(wrbuf_alloc()) {}
  ~Iso2709Reader() override {
    wrbuf_destroy(m_json);
    yaz_marc_destroy(m_marc);
    for (yaz_iconv_t cd : {m_marc8, m_iso5426})
      if (cd) yaz_iconv_close(cd);
  }

  Next next(MarcRecord& record, QString& error) override {
    skipBetweenRecords();
    m_offset = m_in.pos();
    QByteArray bytes = m_in.read(kLeaderLength);
    if (bytes.isEmpty()) return m_in.atEnd() ? Next::End : failed(error);
    if (!isIso2709Leader(bytes)) return damaged(error, u"δεν αρχίζει με την αρχή (leader) μιας εγγραφής MARC"_s);
    const int length = bytes.left(5).toInt();
    bytes += m_in.read(length - kLeaderLength);
    if (bytes.size() < length)
      return m_in.atEnd() ? damaged(error, u"το αρχείο τελειώνει πριν από το τέλος της εγγραφής (κομμένο αρχείο)"_s)
                          : failed(error);
    if (bytes.back() != kRecordTerminator)
      return damaged(error, u"η εγγραφή δεν τελειώνει με το σημάδι τέλους εγγραφής εκεί που λέει το μήκος της"_s);
    if (const QString problem = frameError(bytes); !problem.isEmpty()) return damaged(error, problem);
    QStringList tags;
    QByteArray field100a;
    directory(bytes, tags, field100a);
    if (tags.size() > kMostMarcFields) return damaged(error, u"η εγγραφή έχει πάρα πολλά πεδία"_s);
    if (!convertFrom(bytes, marcStandardOf(tags, QString::fromLatin1(field100a)), field100a, error))
      return Next::Damaged;
    if (yaz_marc_read_iso2709(m_marc, bytes.constData(), int(bytes.size())) <= 0)
      return damaged(error, u"η YAZ δεν μπόρεσε να τη διαβάσει"_s);
    wrbuf_rewind(m_json);
    if (yaz_marc_write_json(m_marc, m_json) != 0)
      return damaged(error, u"το κείμενό της δεν μετατρέπεται από το σύνολο χαρακτήρων που δηλώνει"_s);
    return fromJson(QByteArray(wrbuf_buf(m_json), qsizetype(wrbuf_len(m_json))), record)
               ? Next::Record
               : damaged(error, u"το κείμενό της δεν είναι γραμμένο στο σύνολο χαρακτήρων που δηλώνει"_s);
  }

  QString position() const override { return u"στο byte %1"_s.arg(m_offset); }

 private:
  // Line breaks or a DOS end-of-file mark between records are no damage.
  void skipBetweenRecords() {
    char c = 0;
    while (m_in.peek(&c, 1) == 1 && (c == '\n' || c == '\r' || c == 0x1A)) m_in.skip(1);
  }

  bool convertFrom(const QByteArray& record, MarcStandard standard, const QByteArray& field100a, QString& error) {
    yaz_iconv_t cd = nullptr;
    if (standard == MarcStandard::Marc21) {
      if (record[9] != 'a') cd = converter(m_marc8, "MARC8");
    } else {
      const QByteArray set = field100a.mid(26, 2);
      if (set == "01" || set == "02" || set == "03") {
        cd = converter(m_iso5426, "ISO5426");
      } else if (!set.trimmed().isEmpty() && set != "50") {
        error =
            u"η εγγραφή UNIMARC δηλώνει στο 100 $a το σύνολο χαρακτήρων «%1», που δεν διαβάζεται εδώ· "
            "διαβάζονται τα UTF-8 («50») και ISO 5426 («01» έως «03»)"_s.arg(QString::fromLatin1(set));
        return false;
      }
    }
    yaz_marc_iconv(m_marc, cd);
    return true;
  }

  static yaz_iconv_t converter(yaz_iconv_t& cd, const char* from) {
    if (!cd) cd = yaz_iconv_open("UTF-8", from);
    return cd;
  }

  static bool fromJson(const QByteArray& json, MarcRecord& record) {
    QJsonParseError parsed;
    const QJsonObject root = QJsonDocument::fromJson(json, &parsed).object();
    if (parsed.error != QJsonParseError::NoError) return false;
    record = MarcRecord();
    record.leader = root.value(u"leader"_s).toString();
    for (const QJsonValue& entry : root.value(u"fields"_s).toArray()) {
      const QJsonObject one = entry.toObject();
      for (auto f = one.begin(); f != one.end(); ++f) {
        MarcDataField field;
        field.tag = f.key();
        if (f.value().isString()) {
          field.data = f.value().toString();
        } else {
          for (const QJsonValue& sub : f.value().toObject().value(u"subfields"_s).toArray()) {
            const QJsonObject s = sub.toObject();
            for (auto c = s.begin(); c != s.end(); ++c)
              field.subfields.append({c.key().isEmpty() ? QChar(u' ') : c.key()[0], c.value().toString()});
          }
        }
        record.fields.append(field);
      }
    }
    return true;
  }

  Next damaged(QString& error, const QString& problem) {
    error = problem;
    m_in.skip(m_in.bytesAvailable());
    return Next::Damaged;
  }

  Next failed(QString& error) {
    error = m_in.errorString();
    return Next::Failed;
  }

  QIODevice& m_in;
  yaz_marc_t m_marc;
  WRBUF m_json;
  yaz_iconv_t m_marc8 = nullptr;
  yaz_iconv_t m_iso5426 = nullptr;
  qint64 m_offset = 0;
};

}  // namespace

std::unique_ptr<MarcRecordReader> makeIso2709Reader(QIODevice& in) { return std::make_unique<Iso2709Reader>(in); }
