#include "transfer/OpenToRead.h"

#include <QFileInfo>
#include <cerrno>

QString openToRead(CatalogueFile& file, const QString& path) {
  // A link that leads nowhere (or in a loop) is told by the opening's own reason.
  if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
    return CatalogueError::of(CatalogueError::Operation::Read, path, ENOENT).describe();
  if (!file.open(path, FileIo::Mode::ReadOnly)) return file.lastError().describe();
  return QString();
}
