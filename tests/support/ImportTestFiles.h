#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "catalogue/Cp1253.h"
#include "support/CatalogueTestFiles.h"

// A list as Greek Excel writes it: ";" between cells, Windows-1253, CR LF.
inline QString writeGreekExcelCsv(const QString& path, const QStringList& lines) {
  writeAll(path, cp1253::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
  return path;
}

// The same in UTF-8, for letters Windows-1253 has not.
inline QString writeUtf8Csv(const QString& path, const QStringList& lines) {
  writeAll(path, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
  return path;
}

// MARCXML holding these <record> elements.
inline QString marcXml(const QString& records) {
  using namespace Qt::StringLiterals;
  return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<collection xmlns=\"http://www.loc.gov/MARC21/slim\">\n"_s +
         records + u"</collection>\n"_s;
}
