#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The system registry as the About box reads it: open, query, close. Off
// Windows the registry holds no keys.
class Registry {
 public:
  using Key = std::uintptr_t;
  static constexpr Key kLocalMachine = 0x80000002u;
  static constexpr std::uint32_t kTypeString = 1;
  static constexpr std::uint32_t kTypeDword = 4;

  virtual ~Registry() = default;
  // 0 on success, a system error code otherwise.
  virtual long openKey(Key root, const QString& subKey, std::uint32_t accessMask, Key* result) = 0;
  // Fills up to *size bytes of `buffer`; on return *size is the value's size.
  virtual long queryValue(Key key, const QString& valueName, std::uint32_t* type, char* buffer,
                          std::uint32_t* size) = 0;
  virtual long closeKey(Key key) = 0;
};
