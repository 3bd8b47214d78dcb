#include "transfer/export/ExportOutput.h"

#include <cerrno>

#include "catalogue/CatalogueFile.h"

bool ExportOutput::fail(int systemError) {
  m_error =
      CatalogueError::of(CatalogueError::Operation::Write, m_path, systemError != 0 ? systemError : ENOSPC).describe();
  return false;
}

bool ExportOutput::flush() {
  if (m_buffer.isEmpty()) return true;
  const bool written = writeBlock(m_buffer.constData(), m_buffer.size());
  m_buffer.resize(0);  // keeps the capacity for the next block
  return written;
}
