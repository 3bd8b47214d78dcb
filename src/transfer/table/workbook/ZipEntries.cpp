#include "transfer/table/workbook/ZipEntries.h"

#include <unzip.h>

#include <QFileInfo>
#include <QXmlStreamReader>
#include <algorithm>

#include "transfer/table/workbook/SheetRows.h"

using namespace Qt::StringLiterals;

namespace {

QString entryTooBig(const QString& path, const QString& name, qint64 most) {
  return SheetRows::tooBig(
      path, u"το μέρος «%1» ξεπερνά τα %2 MB όταν αποσυμπιεστεί"_s.arg(name).arg(std::max<qint64>(most >> 20, 1)));
}

}  // namespace

// minizip reads the device through these calls, so that a failing disk is
// told from a bad zip. Every read of minizip's follows a seek of its own, so
// that two readings of one device (an ods's list of sheets beside its rows)
// keep apart.
struct ZipEntries::Io {
  explicit Io(QIODevice& in) : file(in) {}
  QIODevice& file;
  bool failed = false;

  static Io& of(voidpf opaque) { return *static_cast<Io*>(opaque); }
  static voidpf ZCALLBACK open(voidpf opaque, const void*, int) { return &of(opaque).file; }
  static uLong ZCALLBACK read(voidpf opaque, voidpf, void* buffer, uLong size) {
    const qint64 got = of(opaque).file.read(static_cast<char*>(buffer), qint64(size));
    if (got < 0) of(opaque).failed = true;
    return uLong(std::max<qint64>(got, 0));
  }
  static uLong ZCALLBACK write(voidpf, voidpf, const void*, uLong) { return 0; }
  static ZPOS64_T ZCALLBACK tell(voidpf opaque, voidpf) { return ZPOS64_T(of(opaque).file.pos()); }
  static long ZCALLBACK seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
    QIODevice& file = of(opaque).file;
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = file.pos();
    if (origin == ZLIB_FILEFUNC_SEEK_END) base = file.size();
    return file.seek(base + qint64(offset)) ? 0 : -1;
  }
  static int ZCALLBACK close(voidpf, voidpf) { return 0; }
  static int ZCALLBACK error(voidpf opaque, voidpf) { return of(opaque).failed ? -1 : 0; }
};

// The entry being read, as a device for QXmlStreamReader. minizip gives no
// more than the size the zip's directory declares, which start() checked;
// the count here holds whatever the directory says.
class ZipEntries::Entry : public QIODevice {
 public:
  enum class Status { Reading, Ended, TooBig, Damaged, ReadFailed };
  Entry(unzFile zip, const Io& io, const QString& name, qint64 most)
      : m_zip(zip), m_io(io), m_name(name), m_most(most) {
    QIODevice::open(QIODevice::ReadOnly);
  }
  ~Entry() override {
    if (m_status != Status::Ended) unzCloseCurrentFile(m_zip);
  }
  bool isSequential() const override { return true; }
  bool atEnd() const override { return m_status != Status::Reading && QIODevice::atEnd(); }
  const QString& name() const { return m_name; }
  Status status() const { return m_status; }

 protected:
  qint64 readData(char* data, qint64 most) override {
    if (m_status != Status::Reading) return m_status == Status::Ended ? 0 : -1;
    // QIODevice asks for nothing at times: that is no end.
    if (most <= 0) return 0;
    const int got = unzReadCurrentFile(m_zip, data, unsigned(std::min<qint64>(most, 1 << 20)));
    if (got < 0) return stop(m_io.failed ? Status::ReadFailed : Status::Damaged);
    m_read += got;
    if (m_read > m_most) return stop(Status::TooBig);
    if (got == 0) {
      // The end: the close compares the entry's checksum.
      m_status = Status::Ended;
      if (unzCloseCurrentFile(m_zip) != UNZ_OK) return m_status = Status::Damaged, -1;
    }
    return got;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  qint64 stop(Status status) {
    m_status = status;
    return -1;
  }

  unzFile m_zip;
  const Io& m_io;
  QString m_name;
  qint64 m_most;
  qint64 m_read = 0;
  Status m_status = Status::Reading;
};

std::unique_ptr<ZipEntries> ZipEntries::open(QIODevice& in, const QString& path, const QString& kind, QString& error,
                                             qint64 mostEntryBytes) {
  auto io = std::make_unique<Io>(in);
  zlib_filefunc64_def calls{};
  calls.zopen64_file = &Io::open;
  calls.zread_file = &Io::read;
  calls.zwrite_file = &Io::write;
  calls.ztell64_file = &Io::tell;
  calls.zseek64_file = &Io::seek;
  calls.zclose_file = &Io::close;
  calls.zerror_file = &Io::error;
  calls.opaque = io.get();
  unzFile zip = unzOpen2_64("", &calls);
  if (!zip) {
    if (io->failed) {
      error = SheetRows::cannotOpen(path, u"σφάλμα ανάγνωσης του δίσκου"_s);
      return nullptr;
    }
    io->file.seek(0);
    if (io->file.read(4) == QByteArrayLiteral("PK\x03\x04"))
      error = SheetRows::damaged(path, u"ο κατάλογος του αρχείου zip λείπει ή είναι κομμένος"_s);
    else
      error = u"Το αρχείο «%1» δεν είναι αρχείο %2: δεν είναι αρχείο zip, όπως κάθε αρχείο %2."_s.arg(
          QFileInfo(path).fileName(), kind);
    return nullptr;
  }
  return std::unique_ptr<ZipEntries>(new ZipEntries(path, std::move(io), zip, mostEntryBytes));
}

ZipEntries::ZipEntries(const QString& path, std::unique_ptr<Io> io, void* zip, qint64 mostEntryBytes)
    : m_path(path), m_io(std::move(io)), m_zip(zip), m_most(mostEntryBytes) {}

ZipEntries::~ZipEntries() {
  m_entry.reset();
  unzClose(m_zip);
}

bool ZipEntries::contains(const QString& name) const {
  return unzLocateFile(m_zip, name.toUtf8().constData(), 1) == UNZ_OK;
}

bool ZipEntries::start(const QString& name, QString& error) {
  m_entry.reset();
  if (unzLocateFile(m_zip, name.toUtf8().constData(), 1) != UNZ_OK) {
    error = m_io->failed ? SheetRows::cannotOpen(m_path, u"σφάλμα ανάγνωσης του δίσκου"_s)
                         : SheetRows::damaged(m_path, u"δεν έχει το μέρος «%1»"_s.arg(name));
    return false;
  }
  unz_file_info64 info{};
  if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
    error = SheetRows::damaged(m_path, u"το μέρος «%1» δεν διαβάζεται"_s.arg(name));
    return false;
  }
  if (info.flag & 1) {
    error = u"Το αρχείο «%1» είναι κλειδωμένο με κωδικό: αποθηκεύστε το χωρίς κωδικό και δοκιμάστε ξανά."_s.arg(
        QFileInfo(m_path).fileName());
    return false;
  }
  if (info.uncompressed_size > ZPOS64_T(m_most)) {
    error = entryTooBig(m_path, name, m_most);
    return false;
  }
  if (unzOpenCurrentFile(m_zip) != UNZ_OK) {
    error = SheetRows::damaged(m_path, u"το μέρος «%1» δεν αποσυμπιέζεται"_s.arg(name));
    return false;
  }
  m_entry = std::make_unique<Entry>(m_zip, *m_io, name, m_most);
  return true;
}

QIODevice* ZipEntries::stream(const QString& name, QString& error) {
  return start(name, error) ? m_entry.get() : nullptr;
}

bool ZipEntries::read(const QString& name, QByteArray& bytes, QString& error) {
  if (!start(name, error)) return false;
  bytes = m_entry->readAll();
  error = streamError();
  m_entry.reset();
  return error.isEmpty();
}

QString ZipEntries::streamError() const {
  if (!m_entry) return QString();
  const QString& name = m_entry->name();
  switch (m_entry->status()) {
    case Entry::Status::Reading:
    case Entry::Status::Ended:
      return QString();
    case Entry::Status::TooBig:
      return entryTooBig(m_path, name, m_most);
    case Entry::Status::Damaged:
      return SheetRows::damaged(m_path, u"το μέρος «%1» δεν αποσυμπιέζεται"_s.arg(name));
    case Entry::Status::ReadFailed:
      return SheetRows::cannotOpen(m_path, u"σφάλμα ανάγνωσης του δίσκου"_s);
  }
  return QString();
}

QString ZipEntries::streamError(const QXmlStreamReader& xml) const {
  const QString stopped = streamError();
  if (!stopped.isEmpty() || !xml.hasError() || !m_entry) return stopped;
  return SheetRows::notXml(m_path, m_entry->name(), xml);
}

bool ZipEntries::streamReadFailed() const { return m_entry && m_entry->status() == Entry::Status::ReadFailed; }
