#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

#include "transfer/marc/MarcForm.h"

// One MARC record as read from ISO 2709 or MARCXML, its text in Unicode: the
// one form that the mapping back to the catalogue reads.
struct MarcDataField {
  QString tag;
  QString data;  // a control field's text; empty for a data field
  QList<std::pair<QChar, QString>> subfields;

  QString first(QChar code) const;
  QStringList all(QChar code) const;
};

struct MarcRecord {
  QString leader;
  QList<MarcDataField> fields;

  const MarcDataField* first(const QString& tag) const;
  QList<const MarcDataField*> all(const QStringList& tags) const;
  QString control(const QString& tag) const;
};

// A record tells its standard by what it holds: a title in 245 is MARC21's;
// a title in 200, or a 100 that holds UNIMARC's 36 characters of general
// data, is UNIMARC's.
MarcStandard marcStandardOf(const QStringList& tags, const QString& field100a);

// Bounds on what a hostile file can make the reader hold.
constexpr int kMostMarcFields = 5000;
constexpr qsizetype kMostMarcText = 99999;  // as an ISO 2709 record's length allows
