#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "catalogue/file/FileIo.h"

// The librarian's daily copy of the catalogue, in a folder beside it, so that
// a mistaken save can be undone by copying yesterday's file back. At most one
// copy a day; the 14 newest copies and the first copy of each of the last 12
// months are kept, the other dated copies removed before the day's copy is
// taken. A copy is written under a working name that is always a new file,
// synced, and only then given its dated name, so a copy that fails leaves
// nothing behind under a dated name. It has the catalogue's permissions.
class CatalogueBackup {
 public:
  struct Result {
    enum class Outcome { Copied, AlreadyToday, NothingToCopy, Failed };
    Outcome outcome = Outcome::NothingToCopy;
    int systemError = 0;  // when Failed
  };

  static constexpr int kDailyCopies = 14;
  static constexpr int kMonthlyCopies = 12;

  // The folder's name, beside the catalogue.
  static QString folderName();
  // "Zelkor-2026-12-07.dat": the date sorts with the name.
  static QString copyName(const QDate& day);

  // The I/O for the copy comes from `files`, so tests can fail any call of it.
  CatalogueBackup(const QString& cataloguePath, FileIoFactory& files);

  QString folder() const { return m_folder; }
  Result takeDaily(const QDate& today);
  // The librarian's notice of a copy that failed with `systemError`.
  static QString failureNotice(int systemError);

  // Which of the dated copies `copies` the schedule keeps on `today`.
  static QList<QDate> datesToKeep(QList<QDate> copies, const QDate& today);

 private:
  int copyDated(const QString& dated);
  int copyTo(const QString& target);
  QList<QDate> datedCopies() const;
  void prune(const QDate& today);

  QString m_catalogue;
  QString m_folder;
  FileIoFactory& m_files;
};

// Remembers in `stateFile` the day a failed copy was last reported, so that
// it is reported at most once a day.
class BackupNotices {
 public:
  explicit BackupNotices(QString stateFile) : m_stateFile(std::move(stateFile)) {}
  // True at most once for each day; remembers that it answered.
  bool reportToday(const QDate& today);

 private:
  QString m_stateFile;
};
