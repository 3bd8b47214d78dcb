// libFuzzer target over the import's readers: each input becomes a file of
// one kind (LOMIRA_FUZZ_KIND: xlsx, ods, xls, csv, mrc or xml), which is told
// apart and read whole as the import reads it, its records counted instead of
// written. A sheet's input is its XML, zipped here into a workbook, so that
// mutations reach the XML readers instead of failing the zip's checksum.
// Build and run with fuzz/build.sh.
#include <unistd.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <cstdint>

#include "transfer/import/CatalogueSource.h"
#include "transfer/import/Import.h"
#include "transfer/import/ImportSource.h"
#include "transfer/import/MarcSource.h"
#include "transfer/import/TableSource.h"

using namespace Qt::StringLiterals;

namespace {

const QString kKind = QStringLiteral(LOMIRA_FUZZ_KIND);

struct Entry {
  const char* name;
  QByteArray bytes;
};

void writeZip(const QString& path, const QList<Entry>& entries) {
  zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
  for (const Entry& entry : entries) {
    zip_fileinfo info{};
    zipOpenNewFileInZip64(zip, entry.name, &info, nullptr, 0, nullptr, 0, nullptr, 0, 0, 0);
    zipWriteInFileInZip(zip, entry.bytes.constData(), unsigned(entry.bytes.size()));
    zipCloseFileInZip(zip);
  }
  zipClose(zip, nullptr);
}

// The parts of an xlsx around the sheet: a workbook of one sheet and shared
// strings that the sheet may use.
void writeXlsx(const QString& path, const QByteArray& sheet) {
  const QByteArray ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
  const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  writeZip(path, {{"_rels/.rels", R"(<Relationships><Relationship Id="r1" Type=")" + rel +
                                      R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
                  {"xl/workbook.xml", "<workbook" + ns + " xmlns:r=\"" + rel +
                                          R"("><sheets><sheet name="Α" sheetId="1" r:id="s1"/></sheets></workbook>)"},
                  {"xl/_rels/workbook.xml.rels", R"(<Relationships><Relationship Id="s1" Type=")" + rel +
                                                     R"(/worksheet" Target="sheet.xml"/><Relationship Id="s2" Type=")" +
                                                     rel + R"(/sharedStrings" Target="strings.xml"/></Relationships>)"},
                  {"xl/strings.xml", "<sst" + ns + "><si><t>Τίτλος</t></si><si><t>Βιβλίο</t></si></sst>"},
                  {"xl/sheet.xml", sheet}});
}

void writeInput(const QString& path, const QByteArray& input) {
  if (kKind == u"xlsx"_s) return writeXlsx(path, input);
  if (kKind == u"ods"_s)
    return writeZip(path, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", input}});
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const QString path = QDir::tempPath() + u"/lomira-fuzz-%1.%2"_s.arg(getpid()).arg(kKind);
  QFile::remove(path);
  writeInput(path, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  const ImportOptions options;
  ImportInput input = identifyInput(path, options);
  std::unique_ptr<ImportSource> source;
  switch (input.kind) {
    case ImportInput::Kind::Marc:
      source = makeMarcSource(std::move(input.file), path, input.marc, options);
      break;
    case ImportInput::Kind::Table:
      source = makeTableSource(std::move(input.file), path, options, std::move(input.table));
      break;
    case ImportInput::Kind::Catalogue:
      source = makeCatalogueSource(path);
      break;
    case ImportInput::Kind::Unreadable:
    case ImportInput::Kind::Unopened:
      return 0;
  }
  ImportResult result;
  source->read(result, [](const char*) { return true; });
  return 0;
}
