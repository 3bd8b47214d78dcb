#pragma once

#include <cstdint>
#include <string>

// The system registry's ANSI calls, with standard types only so that callers
// need no system headers. Names are in the system code page. Each call
// returns 0 or the system's error code.
namespace winregistry {

// KEY_READ: query values and list subkeys. Enough for looking a value up, and
// granted to ordinary users where write rights are not.
constexpr std::uint32_t kReadAccess = 0x20019;

// `root` is a predefined key (0x80000002 for the local machine) or a handle
// that openKey returned.
long openKey(std::uintptr_t root, const std::string& subKey, std::uint32_t accessMask, std::uintptr_t* result);
long queryValue(std::uintptr_t key, const std::string& valueName, std::uint32_t* type, char* buffer,
                std::uint32_t* size);
long closeKey(std::uintptr_t key);

}  // namespace winregistry
