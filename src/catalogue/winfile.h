#pragma once

// The raw Windows file calls under the catalogue, kept apart from Qt. Every
// failure reports an errno value (ENOSPC, EACCES, ...) so that the messages
// read the same on every system.
#include <cstdint>

namespace winfile {

using Handle = void*;

Handle invalidHandle();
// A path in UTF-16. For writing, opens or creates; for reading, opens only an
// existing file. Other programs may read, write and rename the file meanwhile.
Handle open(const wchar_t* path, bool forWriting, int& error);
void close(Handle handle);
// The count moved (0 at the end of the file for a read), or -1.
std::int64_t readAt(Handle handle, std::int64_t offset, char* buffer, std::int64_t length, int& error);
std::int64_t writeAt(Handle handle, std::int64_t offset, const char* data, std::int64_t length, int& error);
std::int64_t size(Handle handle, int& error);
bool truncate(Handle handle, std::int64_t length, int& error);
bool sync(Handle handle, int& error);
// True while `path` names the very file the handle has open.
bool sameFile(Handle handle, const wchar_t* path, int& error);
// An exclusive lock on one byte, not waiting; held until the handle closes.
// EAGAIN when another handle holds it.
bool lockByte(Handle handle, std::uint64_t offset, int& error);

int errnoFor(unsigned long systemError);

}  // namespace winfile
