#include "catalogue/CatalogueRecord.h"

#include <algorithm>
#include <cstring>

#include "catalogue/Cp1253.h"

using namespace Qt::StringLiterals;

CatalogueRecord CatalogueRecord::blank() {
  CatalogueRecord r;
  r.m_stored = true;
  return r;
}

CatalogueRecord CatalogueRecord::deletionMark() {
  CatalogueRecord r = blank();
  for (int i = 0; i < kFieldCount; ++i) r.setField(i, u"~~~"_s);
  return r;
}

CatalogueRecord CatalogueRecord::fromBytes(const char* bytes, int length) {
  CatalogueRecord r;
  if (length <= 0) return r;
  std::memcpy(r.m_bytes.data(), bytes, std::min(length, kLength));
  r.m_stored = true;
  return r;
}

QString CatalogueRecord::field(int i) const {
  if (!m_stored || i < 0 || i >= kFieldCount) return QString();
  return cp1253::decode(m_bytes.data() + kOffset[i], kWidth[i]);
}

void CatalogueRecord::setField(int i, const QString& text) {
  if (i < 0 || i >= kFieldCount) return;
  const QByteArray encoded = cp1253::encode(text);
  const int kept = std::min(int(encoded.size()), kWidth[i]);
  char* dst = m_bytes.data() + kOffset[i];
  std::memcpy(dst, encoded.constData(), kept);
  std::memset(dst + kept, ' ', kWidth[i] - kept);
  m_stored = true;
}
