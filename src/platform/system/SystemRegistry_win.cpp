#include "platform/system/SystemRegistry.h"
#include "platform/system/winregistry.h"

// The registry's ANSI calls take names in the system code page.
namespace {
std::string ansi(const QString& text) { return text.toLocal8Bit().toStdString(); }
}  // namespace

long SystemRegistry::openKey(Key root, const QString& subKey, std::uint32_t accessMask, Key* result) {
  return winregistry::openKey(root, ansi(subKey), accessMask, result);
}

long SystemRegistry::queryValue(Key key, const QString& valueName, std::uint32_t* type, char* buffer,
                                std::uint32_t* size) {
  return winregistry::queryValue(key, ansi(valueName), type, buffer, size);
}

long SystemRegistry::closeKey(Key key) { return winregistry::closeKey(key); }
