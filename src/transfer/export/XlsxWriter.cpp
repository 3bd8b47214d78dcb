// The export's table as a spreadsheet: a bold frozen header row, an
// autofilter and column widths that fit, written row by row in constant
// memory by libxlsxwriter. The title's CR LF line breaks become the LF that
// spreadsheet cells use.
#include <fcntl.h>
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "catalogue/FieldBytes.h"
#include "transfer/FileFormats.h"
#include "transfer/export/ExportWriter.h"
#include "transfer/export/XlsxWriter.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;

// The export refuses a catalogue larger than the list of formats says a sheet holds.
static_assert(LXW_ROW_MAX == 1 << 20, "the xlsx row of fileFormats() names libxlsxwriter's rows");

namespace {

// The library prints its own English "[ERROR]" lines on the standard error
// before it returns the error that our Greek message reports: while it
// packs the workbook, those lines go nowhere.
class QuietStandardError {
 public:
  QuietStandardError() {
    std::fflush(stderr);
#ifdef _WIN32
    m_saved = _dup(2);
    const int nowhere = _open("NUL", _O_WRONLY);
    if (nowhere >= 0) {
      _dup2(nowhere, 2);
      _close(nowhere);
    }
#else
    m_saved = ::dup(2);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere >= 0) {
      ::dup2(nowhere, 2);
      ::close(nowhere);
    }
#endif
  }
  ~QuietStandardError() {
    if (m_saved < 0) return;
    // The library's errno is the reason the message gives.
    const int error = errno;
    std::fflush(stderr);
#ifdef _WIN32
    _dup2(m_saved, 2);
    _close(m_saved);
#else
    ::dup2(m_saved, 2);
    ::close(m_saved);
#endif
    errno = error;
  }
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int m_saved = -1;
};

#ifdef _WIN32
// libxlsxwriter names its files in the system's 8-bit code page, which cannot
// spell Greek letters on a Windows that is not Greek. Its files go into a
// folder that page can name: the output's own, else that folder by its short
// name, else the system's temporary folder the same way; under a plain ASCII
// name of their own. The export itself is written by Qt, in any name.
bool eightBitNames(const QString& path) { return QString::fromLocal8Bit(path.toLocal8Bit()) == path; }

QString shortFolderName(const QString& folder) {
  const std::wstring wide = QDir::toNativeSeparators(folder).toStdWString();
  std::wstring shortName(MAX_PATH, L'\0');
  const DWORD length = GetShortPathNameW(wide.c_str(), shortName.data(), DWORD(shortName.size()));
  return length > 0 && length < shortName.size()
             ? QDir::fromNativeSeparators(QString::fromWCharArray(shortName.data(), int(length)))
             : QString();
}

QString scratchTemplate(const ExportOutput& out) {
  const QString folder = out.scratchFolder();
  for (const QString& candidate : {folder, QDir::tempPath()}) {
    if (eightBitNames(candidate)) return QDir(candidate).filePath(u"xlsx.XXXXXX"_s);
    const QString shortName = shortFolderName(candidate);
    if (!shortName.isEmpty() && eightBitNames(shortName)) return QDir(shortName).filePath(u"xlsx.XXXXXX"_s);
  }
  return QDir(folder).filePath(u"xlsx.XXXXXX"_s);
}
#else
QString scratchTemplate(const ExportOutput& out) {
  return QDir(out.scratchFolder()).filePath(QFileInfo(out.path()).fileName() + u".XXXXXX"_s);
}
#endif

constexpr double kMaxWidth = 60;
constexpr qint64 kCopyBlock = 1 << 16;

// The width in characters of the longest line of a text.
int widthOf(const char* data, int length) {
  int widest = 0;
  int line = 0;
  for (int i = 0; i < length; ++i) {
    if (data[i] == '\r' || data[i] == '\n') {
      line = 0;
      continue;
    }
    widest = std::max(widest, ++line);
  }
  return widest;
}

class XlsxWriter : public ExportWriter {
 public:
  explicit XlsxWriter(ExportOutput& out) : ExportWriter(out), m_scratch(scratchTemplate(out)) {}
  // An unfinished workbook is dropped unwritten, and its scratch files with
  // it: the library closes a sheet's working file only when it packs the
  // sheet, and Windows deletes that file only once it is closed.
  ~XlsxWriter() override {
    if (m_sheet && m_sheet->optimize_tmpfile) std::fclose(m_sheet->optimize_tmpfile);
    lxw_workbook_free(m_book);
  }

  bool begin(const std::vector<int>& fields) override {
    m_fields = fields;
    // The library writes a file of its own, which then goes into the output.
    errno = 0;
    if (!m_scratch.open()) return scratchFailed();
    m_scratch.close();
    const QByteArray scratch = QFile::encodeName(m_scratch.fileName());
    const QByteArray tmp = QFile::encodeName(QFileInfo(m_scratch.fileName()).absolutePath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    errno = 0;
    m_book = workbook_new_opt(scratch.constData(), &options);
    m_sheet = m_book ? workbook_add_worksheet(m_book, "Κατάλογος") : nullptr;
    if (!m_sheet) return failed(errno, LXW_NO_ERROR);
    lxw_format* bold = workbook_add_format(m_book);
    format_set_bold(bold);
    m_wrap = workbook_add_format(m_book);
    format_set_text_wrap(m_wrap);
    const QStringList header = tableHeader(fields);
    for (qsizetype c = 0; c < header.size(); ++c) {
      m_widths.push_back(std::min<double>(double(header[c].size()), kMaxWidth));
      worksheet_write_string(m_sheet, 0, lxw_col_t(c), header[c].toUtf8().constData(), bold);
    }
    return true;
  }

  bool write(qint32 number, const char* record) override {
    ++m_row;
    ++m_written;
    worksheet_write_number(m_sheet, m_row, 0, number, nullptr);
    m_widths[0] = std::max(m_widths[0], double(QByteArray::number(number).size()));
    for (size_t c = 0; c < m_fields.size(); ++c) {
      const fieldbytes::Span text = fieldbytes::trimmed(record, m_fields[c]);
      if (text.length == 0) continue;
      m_cell.clear();
      fieldbytes::appendUtf8(m_cell, text);
      // A line break in a spreadsheet cell is LF alone, shown in a wrapping cell.
      m_cell.replace("\r\n", "\n");
      lxw_format* format = m_cell.contains('\n') ? m_wrap : nullptr;
      errno = 0;
      const lxw_error written = worksheet_write_string(m_sheet, m_row, lxw_col_t(c + 1), m_cell.constData(), format);
      if (written != LXW_NO_ERROR) return failed(errno, written);
      m_widths[c + 1] = std::min(kMaxWidth, std::max(m_widths[c + 1], double(widthOf(text.data, text.length))));
    }
    return true;
  }

  bool finish() override {
    for (size_t c = 0; c < m_widths.size(); ++c)
      worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), m_widths[c] + 2, nullptr);
    worksheet_freeze_panes(m_sheet, 1, 0);
    worksheet_autofilter(m_sheet, 0, 0, m_row, lxw_col_t(m_widths.size() - 1));
    errno = 0;
    lxw_error closed;
    {
      const QuietStandardError quiet;
      closed = workbook_close(m_book);
    }
    m_book = nullptr;
    m_sheet = nullptr;
    if (closed != LXW_NO_ERROR) return failed(errno, closed);
    return copyScratch();
  }

 private:
  // The finished workbook into the output, a block at a time.
  bool copyScratch() {
    errno = 0;
    if (!m_scratch.open()) return scratchFailed();
    for (;;) {
      QByteArray& out = m_out.buffer();
      const qsizetype start = out.size();
      out.resize(start + kCopyBlock);
      const qint64 got = m_scratch.read(out.data() + start, kCopyBlock);
      out.resize(start + std::max<qint64>(got, 0));
      if (got < 0) return scratchFailed();
      if (!m_out.writeIfFull()) return outputFailed();
      if (got == 0) return true;
    }
  }

  // The system's reason when the library's call set one, else the library's own.
  bool failed(int systemError, lxw_error error) {
    m_out.fail(systemError != 0 ? systemError : EIO);
    outputFailed();
    if (systemError == 0 && error != LXW_NO_ERROR) {
      m_error.chop(1);
      m_error += u" (%1)."_s.arg(QString::fromUtf8(lxw_strerror(error)));
    }
    return false;
  }

  bool scratchFailed() {
    m_out.fail(errno != 0 ? errno : EIO);
    return outputFailed();
  }

  QTemporaryFile m_scratch;
  lxw_workbook* m_book = nullptr;
  lxw_worksheet* m_sheet = nullptr;
  lxw_format* m_wrap = nullptr;
  std::vector<int> m_fields;
  std::vector<double> m_widths;
  lxw_row_t m_row = 0;
  QByteArray m_cell;
};

}  // namespace

std::unique_ptr<ExportWriter> makeXlsxWriter(ExportOutput& out) { return std::make_unique<XlsxWriter>(out); }
