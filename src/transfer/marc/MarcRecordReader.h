#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "transfer/marc/MarcRecord.h"

class QIODevice;
class QXmlStreamReader;

// The records of a MARC file, one at a time, each bounded in size.
class MarcRecordReader {
 public:
  enum class Next { Record, End, Damaged, Failed };
  virtual ~MarcRecordReader() = default;
  // Damaged: the file breaks off or is no MARC here; Failed: it cannot be
  // read. `error` then says why, in Greek.
  virtual Next next(MarcRecord& record, QString& error) = 0;
  // Where the record last begun starts, for messages: "στο byte 1234".
  virtual QString position() const = 0;
};

// The shape every ISO 2709 leader has: the record length, two digits of
// indicator and subfield code counts, the base address and "45" for the
// lengths in the directory entries.
bool isIso2709Leader(const QByteArray& leader);

// An element `name` of MARCXML (MARC21 slim or MARCXchange).
bool isMarcXmlElement(const QXmlStreamReader& xml, QStringView name);

// ISO 2709 by its first leader and the record terminator where the leader
// says the record ends; MARCXML by a root element in the MARC namespace;
// nothing for another file. Reads `file`, open and seekable, from its start.
std::optional<MarcEncoding> marcEncodingOf(QIODevice& file);
// What a file that marcEncodingOf does not take looks like, damaged early:
// ISO 2709 by its first leader's shape; MARCXML by XML that breaks before
// its first element and names MARC or a record near its start, or any such
// XML when its name says XML (`xmlName`).
std::optional<MarcEncoding> marcFileLookOf(QIODevice& file, bool xmlName);

std::unique_ptr<MarcRecordReader> makeIso2709Reader(QIODevice& in);
std::unique_ptr<MarcRecordReader> makeMarcXmlReader(QIODevice& in);
