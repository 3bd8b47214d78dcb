#include <windows.h>

#include "platform/system/winregistry.h"

namespace winregistry {

static_assert(kReadAccess == KEY_READ);

namespace {

// The predefined keys are 32-bit values that the system sign-extends to a
// handle: 0x80000002 is 0xFFFFFFFF80000002 on a 64-bit system.
HKEY handleOf(std::uintptr_t key) {
  if (key >= 0x80000000u && key <= 0x800000FFu)
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<DWORD>(key))));
  return reinterpret_cast<HKEY>(key);
}

}  // namespace

long openKey(std::uintptr_t root, const std::string& subKey, std::uint32_t accessMask, std::uintptr_t* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(handleOf(root), subKey.c_str(), 0, static_cast<REGSAM>(accessMask), &opened);
  *result = status == ERROR_SUCCESS ? reinterpret_cast<std::uintptr_t>(opened) : 0;
  return status;
}

long queryValue(std::uintptr_t key, const std::string& valueName, std::uint32_t* type, char* buffer,
                std::uint32_t* size) {
  DWORD valueType = 0;
  DWORD valueSize = *size;
  const LONG status = RegQueryValueExA(handleOf(key), valueName.c_str(), nullptr, &valueType,
                                       reinterpret_cast<LPBYTE>(buffer), &valueSize);
  *type = valueType;
  *size = valueSize;
  return status;
}

long closeKey(std::uintptr_t key) { return RegCloseKey(handleOf(key)); }

}  // namespace winregistry
