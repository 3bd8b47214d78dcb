#pragma once

// The POSIX file calls that the catalogue file and the editor's lock share.
#include <QString>

namespace posixfile {

// Opens `path` for reading and writing, creating it empty when missing. A
// file it creates has its name synced with its folder, so that a record
// synced into it cannot vanish with the name after a power cut. Returns the
// descriptor, or -1 with errno set.
int openForEditing(const QString& path);

}  // namespace posixfile
