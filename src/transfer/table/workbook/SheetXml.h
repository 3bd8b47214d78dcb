#pragma once

#include <QString>
#include <QXmlStreamReader>

#include "transfer/XmlAttributes.h"
#include "transfer/XmlProblem.h"

class QIODevice;

// The XML of one part of a workbook, read with the bounds that keep a
// hostile part from costing more than a real one: elements nested no deeper
// than a sheet's (Qt keeps every open element), no token longer than a
// cell's text can be (Qt holds a token whole), no tag with more attributes
// than XmlAttributes allows, and a stop asked from elsewhere heard between
// tokens. It feeds itself from the device in pieces, to see each token's
// size. Its errors name the file in a whole sentence, and a wrongly written
// part the place where it goes wrong.
class SheetXml : public QXmlStreamReader {
 public:
  static constexpr int kMostDepth = 64;
  static constexpr qint64 kMostToken = 1 << 20;

  // Reads `device`, which stays the caller's, the part `entry` of `path`.
  SheetXml(QIODevice* device, const QString& path, const QString& entry);
  // These hide the reader's own, which would read past the bounds.
  TokenType readNext();
  void skipCurrentElement();
  // The text of the element just begun, as appendToCell keeps it; a child
  // element is an error.
  QString readElementText();

 private:
  TokenType stop(const QString& message);

  QIODevice* m_device;
  QString m_path;
  QString m_entry;
  XmlAttributes m_attributes;
  XmlFeed m_feed;
  qint64 m_pending = 0;  // bytes fed since the last token
  int m_depth = 0;
};
