#include "transfer/OpenToRead.h"

#include <QFileInfo>
#include <cerrno>

QString openToRead(CatalogueFile& file, const QString& path) {
  if (!QFileInfo::exists(path)) return CatalogueError::of(CatalogueError::Operation::Read, path, ENOENT).describe();
  if (!file.open(path, FileIo::Mode::ReadOnly)) return file.lastError().describe();
  return QString();
}
