#include "transfer/marc/MarcRecord.h"

#include <QRegularExpression>

#include "transfer/marc/MarcTags.h"

using namespace Qt::StringLiterals;

QString MarcDataField::first(QChar code) const {
  for (const auto& [c, text] : subfields)
    if (c == code) return text;
  return QString();
}

QStringList MarcDataField::all(QChar code) const {
  QStringList texts;
  for (const auto& [c, text] : subfields)
    if (c == code) texts.append(text);
  return texts;
}

const MarcDataField* MarcRecord::first(const QString& tag) const {
  for (const MarcDataField& field : fields)
    if (field.tag == tag) return &field;
  return nullptr;
}

QList<const MarcDataField*> MarcRecord::all(const QStringList& tags) const {
  QList<const MarcDataField*> found;
  for (const MarcDataField& field : fields)
    if (tags.contains(field.tag)) found.append(&field);
  return found;
}

QString MarcRecord::control(const QString& tag) const {
  const MarcDataField* field = first(tag);
  return field ? field->data : QString();
}

MarcStandard marcStandardOf(const QStringList& tags, const QString& field100a) {
  if (tags.contains(QString::fromLatin1(marc21::kTitle))) return MarcStandard::Marc21;
  static const QRegularExpression kGeneralData(u"^\\d{8}.{28}"_s);
  if (tags.contains(QString::fromLatin1(unimarc::kTitle)) || kGeneralData.match(field100a).hasMatch())
    return MarcStandard::Unimarc;
  return MarcStandard::Marc21;
}
