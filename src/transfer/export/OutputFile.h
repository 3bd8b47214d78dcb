#pragma once

#include <QString>
#include <memory>

#include "catalogue/FileIo.h"
#include "transfer/export/ExportOutput.h"

// A file written whole or not at all: the bytes go into "NAME.lomira-part"
// beside it, which takes the name only when everything is written and
// synced; the file that had the name stays whole until then. The part file
// is always made new, never through a link or over a file; one left by a
// killed export (the name is this program's own) is removed first. A
// failure names the file and the system's reason in Greek.
class OutputFile : public ExportOutput {
 public:
  explicit OutputFile(QString path, std::unique_ptr<FileIo> io = makeSystemFileIo());
  ~OutputFile() override;  // removes an unfinished part file

  bool open() override;
  bool commit() override;
  QString scratchFolder() const override;
  QString partPath() const { return partPathFor(path()); }
  static QString partPathFor(const QString& path) { return path + QStringLiteral(".lomira-part"); }

 protected:
  bool writeBlock(const char* data, qint64 length) override;

 private:
  bool createPart();
  bool failIo();
  void discard();

  std::unique_ptr<FileIo> m_io;
  qint64 m_offset = 0;
};
