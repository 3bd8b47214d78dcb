#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "catalogue/file/CatalogueFile.h"

using namespace Qt::StringLiterals;

namespace {

QString reasonFor(CatalogueError::Operation op, int error) {
  if (error == CatalogueError::kFileReplaced)
    return u"το αρχείο αντικαταστάθηκε ή διαγράφηκε από άλλο πρόγραμμα μετά το άνοιγμά του"_s;
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return u"ο δίσκος είναι γεμάτος"_s;
    case EACCES:
    case EPERM:
      return u"δεν υπάρχει άδεια πρόσβασης στο αρχείο"_s;
    case EROFS:
      return u"ο δίσκος είναι μόνο για ανάγνωση"_s;
    case EIO:
      return u"σφάλμα εισόδου/εξόδου του δίσκου"_s;
    case EFBIG:
      return u"το αρχείο έφτασε το μέγιστο επιτρεπτό μέγεθος"_s;
    case ENOENT:
      return u"το αρχείο ή ο φάκελός του δεν υπάρχει"_s;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
      return u"το αρχείο χρησιμοποιείται από άλλο πρόγραμμα"_s;
    case EISDIR:
      return u"υπάρχει φάκελος με αυτό το όνομα"_s;
    case EEXIST:
      // Only working files are made new: one already there is not this program's to overwrite.
      return u"υπάρχει ήδη αρχείο με το όνομα του αρχείου εργασίας δίπλα του· διαγράψτε το αν δεν είναι δικό σας"_s;
    case EINVAL:
      return u"με αυτό το όνομα υπάρχει κάτι άλλο από κανονικό αρχείο"_s;
    case ENOTDIR:
      return u"μέρος της διαδρομής του αρχείου δεν είναι φάκελος"_s;
    case ENAMETOOLONG:
      return u"η διαδρομή του αρχείου είναι πολύ μεγάλη"_s;
#ifdef ELOOP
    case ELOOP:
      return u"η διαδρομή του αρχείου περνά από πάρα πολλούς συμβολικούς συνδέσμους"_s;
#endif
    case EMFILE:
    case ENFILE:
      return u"υπάρχουν ήδη πάρα πολλά ανοιχτά αρχεία"_s;
    case ENOMEM:
      return u"δεν υπάρχει αρκετή μνήμη"_s;
    case ENXIO:
    case ENODEV:
#ifdef ESTALE
    case ESTALE:
#endif
      return u"ο δίσκος του αρχείου δεν είναι πια διαθέσιμος"_s;
    case EBADF:
      // A write through a handle opened for reading, or any call after closing.
      return op == CatalogueError::Operation::Read ? u"το αρχείο δεν είναι ανοιχτό"_s
                                                   : u"το αρχείο δεν είναι ανοιχτό για εγγραφή"_s;
    default:
      return u"σφάλμα συστήματος %1 (%2)"_s.arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
  }
}

}  // namespace

CatalogueError CatalogueError::of(Operation operation, const QString& path, int systemError, qint32 record) {
  CatalogueError error;
  error.operation = operation;
  error.record = record;
  error.systemError = systemError;
  const QString name = QFileInfo(path).fileName();
  error.fileName = name.isEmpty() ? QString::fromLatin1(CatalogueFile::kFileName) : name;
  return error;
}

QString CatalogueError::reason(int systemError) { return reasonFor(Operation::Write, systemError); }

QString CatalogueError::describe() const {
  const QString file = u"«%1»"_s.arg(fileName.isEmpty() ? QString::fromLatin1(CatalogueFile::kFileName) : fileName);
  const QString n = QString::number(record);
  QString what;
  switch (operation) {
    case Operation::None:
      return QString();
    case Operation::Open:
      what = u"Δεν ήταν δυνατό το άνοιγμα του αρχείου "_s + file;
      break;
    case Operation::Read:
      what = record > 0 ? u"Δεν ήταν δυνατή η ανάγνωση της εγγραφής "_s + n + u" από το αρχείο "_s + file
                        : u"Δεν ήταν δυνατή η ανάγνωση του αρχείου "_s + file;
      break;
    case Operation::Write:
      what = record > 0 ? u"Δεν ήταν δυνατό να γραφτεί η εγγραφή "_s + n + u" στο αρχείο "_s + file
                        : u"Δεν ήταν δυνατή η εγγραφή στο αρχείο "_s + file;
      break;
    case Operation::Sync:
      what = record > 0
                 ? u"Δεν ήταν δυνατή η αποθήκευση της εγγραφής "_s + n + u" του αρχείου "_s + file + u" στον δίσκο"_s
                 : u"Δεν ήταν δυνατή η αποθήκευση του αρχείου "_s + file + u" στον δίσκο"_s;
      break;
  }
  return what + u": "_s + reasonFor(operation, systemError) + u"."_s;
}
