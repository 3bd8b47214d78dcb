#pragma once

#include <QIODevice>
#include <QString>
#include <memory>

#include "catalogue/file/CatalogueFile.h"

// Opens the catalogue at `path` for reading, where a missing file is a
// mistaken name rather than an empty catalogue. Empty on success, else the
// Greek sentence naming the file and the reason.
QString openToRead(CatalogueFile& file, const QString& path);

// A file the import reads, opened once by the system's file calls (a folder,
// pipe or device refused at once, never waited on) and handed as a device to
// whatever tells its kind and whatever then reads it.
class InputFile : public QIODevice {
 public:
  InputFile();
  ~InputFile() override;
  // Empty on success, else the Greek sentence naming the file and the reason.
  QString open(const QString& path);
  const QString& path() const { return m_path; }
  // True when `other` names this very file, whatever names, links or case.
  bool isFileAt(const QString& other) const;

  bool isSequential() const override { return false; }
  qint64 size() const override;
  bool seek(qint64 pos) override;

 protected:
  qint64 readData(char* data, qint64 most) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  std::unique_ptr<FileIo> m_io;
  QString m_path;
  qint64 m_offset = 0;
};
