#include "catalogue/file/CatalogueBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "catalogue/file/CatalogueFile.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 kBlock = 1 << 20;

// The working name of a copy being made; never a dated name.
const QString kWorkingName = u"Zelkor.dat.copying"_s;

// A full disk, or a user's quota used up where the system keeps quotas.
bool diskFull(int error) {
#ifdef EDQUOT
  if (error == EDQUOT) return true;
#endif
  return error == ENOSPC;
}

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

  // Old copies go first, so that a disk they fill still takes today's.
  prune(today);
  error = copyDated(dated);
  // A full disk gets one more try once the failed copy's own bytes are gone.
  if (diskFull(error)) error = copyDated(dated);
  if (error != 0) return {Outcome::Failed, error};
  return {Outcome::Copied};
}

// Copies the catalogue under the working name, then gives it its dated name:
// 0 or the system's error number, with no working file left behind.
int CatalogueBackup::copyDated(const QString& dated) {
  const QString working = m_folder + u'/' + kWorkingName;
  int error = copyTo(working);
  if (error != 0 || !replaceFile(working, dated, &error)) {
    QFile::remove(working);
    return error;
  }
  syncFolderOf(dated);
  return 0;
}

// Copies the catalogue to `target` and syncs it: 0 or the system's error number.
int CatalogueBackup::copyTo(const QString& target) {
  std::unique_ptr<FileIo> from = m_files.make();
  std::unique_ptr<FileIo> to = m_files.make();
  const auto failed = [](const std::unique_ptr<FileIo>& io) { return io->lastErrno() != 0 ? io->lastErrno() : EIO; };
  if (!from->open(m_catalogue, FileIo::Mode::ReadOnly)) return failed(from);
  const qint64 length = from->size();
  if (length < 0) return failed(from);
  // A working copy left by a killed start goes; the new one is made afresh,
  // so that nothing planted under the working name (a link to another file)
  // is ever written through.
  QFile::remove(target);
  if (!to->open(target, FileIo::Mode::CreateNew)) return failed(to);
  // The copy is as private as the catalogue: its borrowers' names are no
  // easier to read than in the catalogue itself.
  const int bits = from->permissions();
  if (bits >= 0 && !to->setPermissions(bits)) return failed(to);

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
  const auto future = std::upper_bound(copies.begin(), copies.end(), today);
  const qsizetype pastCount = future - copies.begin();
  const QDate firstMonth = QDate(today.year(), today.month(), 1).addMonths(1 - kMonthlyCopies);
  QList<QDate> keep;
  QDate previous;
  for (qsizetype i = 0; i < pastCount; ++i) {
    const QDate day = copies[i];
    const bool firstOfItsMonth =
        !previous.isValid() || previous.year() != day.year() || previous.month() != day.month();
    previous = day;
    // The newest copies stay whatever their dates, so a clock set ahead
    // never takes the whole history with it.
    const bool newest = i >= pastCount - kDailyCopies;
    if (newest || (day >= firstMonth && firstOfItsMonth)) keep.append(day);
  }
  // Copies dated after today were taken while the clock was ahead. They go
  // only once each of the last fourteen days before today has a copy of its
  // own, so they are never the newest copies left.
  const QDate firstDaily = today.addDays(-kDailyCopies);
  const qsizetype recent = std::count_if(copies.cbegin(), copies.cbegin() + pastCount,
                                         [&](const QDate& day) { return day >= firstDaily && day < today; });
  if (recent < kDailyCopies) keep.append(QList<QDate>(future, copies.end()));
  return keep;
}

void CatalogueBackup::prune(const QDate& today) {
  const QList<QDate> copies = datedCopies();
  const QList<QDate> keep = datesToKeep(copies, today);
  for (const QDate& day : copies)
    if (!keep.contains(day)) QFile::remove(m_folder + u'/' + copyName(day));
}

namespace {

// The copy goes into a folder: a refusal there is the folder's, not a file's.
QString folderReason(int systemError) {
  switch (systemError) {
    case EACCES:
    case EPERM:
      return u"δεν υπάρχει άδεια εγγραφής στον φάκελο"_s;
    default:
      return CatalogueError::reason(systemError);
  }
}

}  // namespace

QString CatalogueBackup::failureNotice(int systemError) {
  return u"Δεν ήταν δυνατό να κρατηθεί το σημερινό αντίγραφο ασφαλείας του καταλόγου «%1» στον φάκελο «%2»: %3.\r\n"
         "Η εργασία συνεχίζεται κανονικά· το πρόγραμμα θα δοκιμάσει ξανά στην επόμενη έναρξη."_s.arg(
             QString::fromLatin1(CatalogueFile::kFileName), folderName(), folderReason(systemError));
}

bool BackupNotices::reportToday(const QDate& today) {
  QSettings state(m_stateFile, QSettings::IniFormat);
  const QString day = today.toString(Qt::ISODate);
  if (state.value(u"backup/lastNotice"_s).toString() == day) return false;
  state.setValue(u"backup/lastNotice"_s, day);
  return true;
}
