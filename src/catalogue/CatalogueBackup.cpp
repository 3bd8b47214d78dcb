#include "catalogue/CatalogueBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "catalogue/CatalogueFile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kBlock = 1 << 20;

// The working name of a copy being made; never a dated name.
const QString kWorkingName = u"Zelkor.dat.copying"_s;

}  // namespace

QString CatalogueBackup::folderName() { return u"Αντίγραφα ασφαλείας"_s; }

QString CatalogueBackup::copyName(const QDate& day) { return u"Zelkor-%1.dat"_s.arg(day.toString(Qt::ISODate)); }

CatalogueBackup::CatalogueBackup(const QString& cataloguePath, FileIoFactory& files)
    : m_catalogue(cataloguePath),
      m_folder(QFileInfo(cataloguePath).absolutePath() + u'/' + folderName()),
      m_files(files) {}

CatalogueBackup::Result CatalogueBackup::takeDaily(const QDate& today) {
  using Outcome = Result::Outcome;
  const QString dated = m_folder + u'/' + copyName(today);
  if (QFileInfo::exists(dated)) return {Outcome::AlreadyToday};
  if (QFileInfo(m_catalogue).size() == 0) return {Outcome::NothingToCopy};
  int error = 0;
  if (!makeFolder(m_folder, &error)) return {Outcome::Failed, error};

  const QString working = m_folder + u'/' + kWorkingName;
  error = copyTo(working);
  if (error != 0 || !replaceFile(working, dated, &error)) {
    QFile::remove(working);
    return {Outcome::Failed, error};
  }
  syncFolderOf(dated);
  prune(today);
  return {Outcome::Copied};
}

// Copies the catalogue to `target` and syncs it: 0 or the system's error number.
int CatalogueBackup::copyTo(const QString& target) {
  std::unique_ptr<FileIo> from = m_files.make();
  std::unique_ptr<FileIo> to = m_files.make();
  const auto failed = [](const std::unique_ptr<FileIo>& io) { return io->lastErrno() != 0 ? io->lastErrno() : EIO; };
  if (!from->open(m_catalogue, FileIo::Mode::ReadOnly)) return failed(from);
  const qint64 length = from->size();
  if (length < 0) return failed(from);
  // A working copy left by an earlier try starts again from nothing.
  if (!to->open(target, FileIo::Mode::ReadWrite) || !to->truncate(0)) return failed(to);

  std::vector<char> block(size_t(std::clamp<qint64>(length, 1, kBlock)));
  for (qint64 at = 0; at < length;) {
    const qint64 got = from->readAt(at, block.data(), std::min(length - at, qint64(block.size())));
    if (got < 0) return failed(from);
    if (got == 0) break;
    const qint64 put = to->writeAt(at, block.data(), got);
    if (put != got) return to->lastErrno() != 0 ? to->lastErrno() : ENOSPC;
    at += got;
  }
  if (!to->sync()) return failed(to);
  return 0;
}

QList<QDate> CatalogueBackup::datedCopies() const {
  static const QRegularExpression pattern(u"^Zelkor-(\\d{4}-\\d{2}-\\d{2})\\.dat$"_s);
  QList<QDate> out;
  for (const QString& name : QDir(m_folder).entryList(QDir::Files)) {
    const QRegularExpressionMatch match = pattern.match(name);
    const QDate day = match.hasMatch() ? QDate::fromString(match.captured(1), Qt::ISODate) : QDate();
    if (day.isValid()) out.append(day);
  }
  return out;
}

QList<QDate> CatalogueBackup::datesToKeep(QList<QDate> copies, const QDate& today) {
  std::sort(copies.begin(), copies.end());
  const QDate firstDaily = today.addDays(1 - kDailyCopies);
  const QDate firstMonth = QDate(today.year(), today.month(), 1).addMonths(1 - kMonthlyCopies);
  QList<QDate> keep;
  QDate previous;
  for (const QDate& day : copies) {
    const bool firstOfItsMonth =
        !previous.isValid() || previous.year() != day.year() || previous.month() != day.month();
    previous = day;
    // A copy dated after today (the clock was set back) counts as recent.
    if (day >= firstDaily || (day >= firstMonth && firstOfItsMonth)) keep.append(day);
  }
  return keep;
}

void CatalogueBackup::prune(const QDate& today) {
  const QList<QDate> copies = datedCopies();
  const QList<QDate> keep = datesToKeep(copies, today);
  for (const QDate& day : copies)
    if (!keep.contains(day)) QFile::remove(m_folder + u'/' + copyName(day));
}

QString CatalogueBackup::failureNotice(int systemError) {
  return u"Δεν ήταν δυνατό να κρατηθεί το σημερινό αντίγραφο ασφαλείας του καταλόγου «%1» στον φάκελο «%2»: %3.\r\n"
         "Η εργασία συνεχίζεται κανονικά· το πρόγραμμα θα δοκιμάσει ξανά στην επόμενη έναρξη."_s.arg(
             QString::fromLatin1(CatalogueFile::kFileName), folderName(), CatalogueError::reason(systemError));
}

bool BackupNotices::reportToday(const QDate& today) {
  QSettings state(m_stateFile, QSettings::IniFormat);
  const QString day = today.toString(Qt::ISODate);
  if (state.value(u"backup/lastNotice"_s).toString() == day) return false;
  state.setValue(u"backup/lastNotice"_s, day);
  return true;
}
