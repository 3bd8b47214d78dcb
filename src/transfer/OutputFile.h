#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "catalogue/FileIo.h"
#include "transfer/BlockWriter.h"

// A file written whole or not at all: the text goes into "NAME.part" beside
// it, which takes the name only when everything is written and synced. A
// failure names the file and the system's reason in Greek. Full blocks are
// written by a second thread while the caller fills the next.
class OutputFile {
 public:
  explicit OutputFile(QString path);
  ~OutputFile();  // removes an unfinished part file

  bool open();
  // Takes over a part file that another library wrote by its name.
  bool adoptWritten();
  // Hands the buffer to the writing thread once it holds a block; the caller
  // appends to buffer(). A failed write shows here or in commit().
  QByteArray& buffer() { return m_buffer; }
  bool writeIfFull();
  bool commit();
  void discard();

  QString partPath() const { return m_path + QStringLiteral(".part"); }
  QString error() const { return m_error; }

 private:
  bool flush();
  bool fail(int systemError);

  QString m_path;
  std::unique_ptr<FileIo> m_io;
  std::unique_ptr<BlockWriter> m_writer;  // gone before m_io
  QByteArray m_buffer;
  QString m_error;
};

// The Greek sentence for a file that could not be written, with the system's reason.
QString writeFailure(const QString& path, int systemError);
// The same for a file that could not be read.
QString readFailure(const QString& path, int systemError);
