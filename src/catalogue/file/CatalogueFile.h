#pragma once

#include <QString>
#include <memory>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/file/FileIo.h"

// What went wrong with the catalogue file, for the message the window shows.
struct CatalogueError {
  enum class Operation { None, Open, Read, Write, Sync };
  // systemError when the name no longer leads to the file that was opened.
  static constexpr int kFileReplaced = -1;

  Operation operation = Operation::None;
  qint32 record = 0;  // the record being read or written, 0 for the file as a whole
  int systemError = 0;
  QString fileName;

  // The failure of `operation` on the file at `path`, which the sentence names by its file name.
  static CatalogueError of(Operation operation, const QString& path, int systemError, qint32 record = 0);

  bool failed() const { return operation != Operation::None; }
  // A whole Greek sentence naming the file, what was being done and the
  // system's reason, e.g. "Δεν ήταν δυνατό να γραφτεί η εγγραφή 5 στο αρχείο
  // «Zelkor.dat»: ο δίσκος είναι γεμάτος."
  QString describe() const;
  // The system's reason alone, in Greek: "ο δίσκος είναι γεμάτος".
  static QString reason(int systemError);
};

// The catalogue file: fixed 350-byte records, addressed by 1-based number.
class CatalogueFile {
 public:
  static constexpr const char* kFileName = "Zelkor.dat";

  explicit CatalogueFile(std::unique_ptr<FileIo> io = makeSystemFileIo());
  ~CatalogueFile();
  CatalogueFile(const CatalogueFile&) = delete;
  CatalogueFile& operator=(const CatalogueFile&) = delete;

  // Opens (ReadWrite creates a missing file empty; ReadOnly shows a missing
  // file as empty) and works out the record count from the file's length;
  // for reading, the length before an import that is under way or unfinished.
  bool open(const QString& path, FileIo::Mode mode = FileIo::Mode::ReadWrite);
  void close();
  bool isOpen() const { return m_open; }

  // length / 350 rounded half to even, 0 taken as 1; worked out at open and
  // raised only when a write goes past it.
  qint32 recordCount() const { return m_recordCount; }
  static qint32 recordCountForLength(qint64 length);

  // Record n; at or beyond the end it has no stored text. False on an I/O error.
  bool read(qint32 n, CatalogueRecord& out);
  // Writes the whole record at n, synced to stable storage before it returns
  // true; a torn last record just before n is completed with blanks. A failed
  // write is undone: the record's old bytes are put back and an extended file
  // is cut back to its old length (unless the system refuses that too, when
  // each record still holds either its old or its new bytes). Never writes
  // into a file that another program has replaced or deleted since it was
  // opened.
  bool write(qint32 n, const CatalogueRecord& record);

  // Up to `length` raw bytes from the start of record `first` onward; the
  // count (0 at the end) or -1 on an I/O error. For scans.
  qint64 readRecords(qint32 first, char* buffer, qint64 length);

  const CatalogueError& lastError() const { return m_error; }
  const QString& path() const { return m_path; }

 private:
  friend class CatalogueAppend;
  bool fail(CatalogueError::Operation op, qint32 record, int systemError);
  bool failIo(CatalogueError::Operation op, qint32 record);
  static qint64 offsetOf(qint32 n) { return qint64(n - 1) * CatalogueRecord::kLength; }

  std::unique_ptr<FileIo> m_io;
  QString m_path;
  qint32 m_recordCount = 1;
  bool m_open = false;
  // Opened for reading while no file exists: every record is absent.
  bool m_missing = false;
  CatalogueError m_error;
};
