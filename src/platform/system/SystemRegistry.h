#pragma once

#include "platform/Registry.h"

// The operating system's registry: the real one on Windows; elsewhere a
// registry that holds no keys.
class SystemRegistry : public Registry {
 public:
  long openKey(Key root, const QString& subKey, std::uint32_t accessMask, Key* result) override;
  long queryValue(Key key, const QString& valueName, std::uint32_t* type, char* buffer, std::uint32_t* size) override;
  long closeKey(Key key) override;
};
