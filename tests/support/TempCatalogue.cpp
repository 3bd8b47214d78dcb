#include "support/TempCatalogue.h"

#include <QDir>
#include <QFile>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"

using namespace Qt::StringLiterals;

TempCatalogue::TempCatalogue() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }

TempCatalogue::~TempCatalogue() { QDir::setCurrent(m_previous); }

QString TempCatalogue::path() const { return m_dir.filePath(u"Zelkor.dat"_s); }

bool TempCatalogue::exists() const { return QFile::exists(path()); }

QByteArray TempCatalogue::bytes() const {
  QFile f(path());
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void TempCatalogue::setBytes(const QByteArray& bytes) {
  QFile f(path());
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

QByteArray TempCatalogue::record(const QStringList& fields) {
  QByteArray out;
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) {
    const int width = CatalogueRecord::kWidth[i];
    QByteArray f = cp1253::encode(i < fields.size() ? fields[i] : QString()).left(width);
    out += f + QByteArray(width - f.size(), ' ');
  }
  return out;
}

void TempCatalogue::setRecords(const QList<QStringList>& records) {
  QByteArray all;
  for (const QStringList& r : records) all += record(r);
  setBytes(all);
}

QStringList TempCatalogue::fieldsOf(int n) const {
  const QByteArray all = bytes().mid(qsizetype(n - 1) * CatalogueRecord::kLength, CatalogueRecord::kLength);
  QStringList out;
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i)
    out.append(cp1253::decode(all.mid(CatalogueRecord::kOffset[i], CatalogueRecord::kWidth[i])));
  return out;
}
