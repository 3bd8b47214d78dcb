#include "transfer/MarcFields.h"

#include <yaz/marcdisp.h>

void MarcFields::leader(const char* leader) {
  int indicatorLength, identifierLength, base, entry, starting, implementation;
  yaz_marc_set_leader(m_marc, leader, &indicatorLength, &identifierLength, &base, &entry, &starting, &implementation);
}

void MarcFields::control(const char* tag, const QString& data) {
  if (data.isEmpty()) return;
  const QByteArray utf8 = data.toUtf8();
  yaz_marc_add_controlfield(m_marc, tag, utf8.constData(), size_t(utf8.size()));
}

void MarcFields::field(const char* tag, const char* indicators, const Subfields& subfields) {
  bool any = false;
  for (const auto& [code, text] : subfields) {
    if (text.isEmpty()) continue;
    if (!any) yaz_marc_add_datafield(m_marc, tag, indicators, 2);
    any = true;
    const QByteArray data = code + text.toUtf8();
    yaz_marc_add_subfield(m_marc, data.constData(), size_t(data.size()));
  }
}
