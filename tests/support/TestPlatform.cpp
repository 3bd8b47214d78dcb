#include "support/TestPlatform.h"

void FakeRegistry::setString(const QString& key, const QString& name, const QByteArray& bytesWithZero) {
  m_keys[key][name] = {kTypeString, bytesWithZero};
}

void FakeRegistry::setDword(const QString& key, const QString& name, std::uint32_t value) {
  QByteArray data(4, '\0');
  for (int i = 0; i < 4; ++i) data[i] = char((value >> (8 * i)) & 0xFF);
  m_keys[key][name] = {kTypeDword, data};
}

long FakeRegistry::openKey(Key root, const QString& subKey, std::uint32_t, Key* result) {
  *result = 0;
  if (root != kLocalMachine || !m_keys.contains(subKey)) return 2;  // not found
  *result = ++m_next;
  m_open[*result] = subKey;
  ++openHandles;
  return 0;
}

long FakeRegistry::queryValue(Key key, const QString& valueName, std::uint32_t* type, char* buffer,
                              std::uint32_t* size) {
  if (!m_open.contains(key)) return 6;  // invalid handle
  const auto& values = m_keys[m_open[key]];
  if (!values.contains(valueName)) return 2;
  const Value& v = values[valueName];
  if (std::uint32_t(v.data.size()) > *size) return 234;  // more data
  *type = v.type;
  *size = std::uint32_t(v.data.size());
  std::copy(v.data.begin(), v.data.end(), buffer);
  return 0;
}

long FakeRegistry::closeKey(Key key) {
  if (m_open.remove(key)) --openHandles;
  return 0;
}
