#pragma once

#include <QByteArray>
#include <QString>

class QXmlStreamReader;

// Where Qt's XML reader stopped, for messages: "γραμμή 3, στήλη 12".
QString xmlPlace(const QXmlStreamReader& xml);

// The pieces fed to Qt's reader, counted so that a byte that is no UTF-8 is
// named where it lies: Qt decodes a piece whole as it begins it, and stops
// at the place where the piece began.
class XmlFeed {
 public:
  // Before the reader is given `piece`.
  void add(const QByteArray& piece);
  // Where the reader stopped: at the first byte of the last piece that is
  // no UTF-8 when the reader stopped on wrongly encoded content, else the
  // reader's own place.
  QString placeOf(const QXmlStreamReader& xml) const;

 private:
  qint64 m_lines = 0;   // line breaks before the last piece
  qint64 m_column = 0;  // characters after the last of them, before the last piece
  QByteArray m_last;
};

// What the reader stopped on, in a librarian's words ("ένα στοιχείο κλείνει
// με άλλο όνομα από εκείνο με το οποίο άνοιξε"), told from the reader's
// error and its known messages; one it does not know is named a mistake of
// writing, Qt's own words following in brackets.
QString xmlProblem(const QXmlStreamReader& xml);
