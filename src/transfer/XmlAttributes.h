#pragma once

#include <QByteArrayView>

// Counts the attributes of each tag in XML fed to it piece by piece, before
// Qt's reader sees them: that reader compares every attribute of an element
// with every other, so one tag of a few hundred kilobytes would take
// minutes. A tag holds no '<', and each of its attributes is `name="value"`
// (or with single quotes): so between one '<' and the next, an `=` followed
// by a quote (blanks between) is counted, whatever the parts in between are.
class XmlAttributes {
 public:
  // Far more than any element of a sheet or a MARC record has (the root of
  // an ods has some forty namespace declarations).
  static constexpr int kMost = 1000;

  // False once a tag has more than kMost attributes.
  bool feed(QByteArrayView piece);

 private:
  int m_count = 0;
  bool m_afterEquals = false;
};
