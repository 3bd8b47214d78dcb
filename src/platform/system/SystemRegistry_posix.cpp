#include "platform/system/SystemRegistry.h"

namespace {
constexpr long kNotFound = 2;
constexpr long kInvalidHandle = 6;
}  // namespace

// There is no registry here: no key can be opened, so no value is found.
long SystemRegistry::openKey(Key, const QString&, std::uint32_t, Key* result) {
  *result = 0;
  return kNotFound;
}

long SystemRegistry::queryValue(Key, const QString&, std::uint32_t*, char*, std::uint32_t* size) {
  *size = 0;
  return kInvalidHandle;
}

long SystemRegistry::closeKey(Key) { return 0; }
