#pragma once

#include <xlsxwriter.h>
#include <zip.h>

#include <QBuffer>

#include "TransferFixture.h"
#include "transfer/table/OdsTable.h"
#include "transfer/table/TableReader.h"
#include "transfer/table/XlsTable.h"
#include "transfer/table/XlsxTable.h"

// Spreadsheets made for the tests, read through the TableReader the import
// uses: xlsx by libxlsxwriter or zipped from parts, ods zipped from the XML
// given, and tests/data/books.xls (see SheetReadersTest.cpp).
class SheetFixture : public TransferTest {
 protected:
  struct Sheet {
    QStringList rows;  // "row: cell|cell"
    QString seen;
    QString error;
  };

  // Every row a reader gives, with the sheet's row numbers.
  static Sheet readAll(std::unique_ptr<TableReader> reader, const QString& openError) {
    Sheet sheet;
    if (!reader) {
      sheet.error = openError;
      return sheet;
    }
    sheet.seen = reader->seen();
    QStringList cells;
    while (reader->next(cells)) sheet.rows.append(u"%1: %2"_s.arg(reader->row()).arg(cells.join(u'|')));
    sheet.error = reader->error();
    return sheet;
  }
  // The workbooks are read from memory, their files' bytes in a buffer,
  // under a name in a folder that does not exist: the readers read the
  // device they are given and take only the file's name for messages.
  using OpenSheet = std::unique_ptr<TableReader> (*)(QIODevice&, const QString&, const QString&, QString&);
  static Sheet fromMemory(OpenSheet open, const QString& path, const QString& sheet) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QBuffer memory;
    memory.setData(file.readAll());
    memory.open(QIODevice::ReadOnly);
    QString error;
    return readAll(open(memory, u"/nowhere/"_s + QFileInfo(path).fileName(), sheet, error), error);
  }
  Sheet xlsx(const QString& path, const QString& sheet = {}) { return fromMemory(openXlsxTable, path, sheet); }
  Sheet ods(const QString& path, const QString& sheet = {}) { return fromMemory(openOdsTable, path, sheet); }
  // FreeXL opens a workbook by its name only: xls is read from the file.
  Sheet xls(const QString& path, const QString& sheet = {}) {
    QString error;
    return readAll(openXlsTable(path, sheet, error), error);
  }

  // Sheet «Βιβλία»: a header with column C left out, a book number kept as
  // 42 under the format "0000", a blank row, rich text with a line break, a
  // fraction, a date and a general number; then sheet «Μαθητές».
  QString makeXlsx(const QString& name, bool inlineStrings) {
    const QString path = file(name);
    lxw_workbook_options options{};
    options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
    const QByteArray tmp = QFile::encodeName(cat.dir());
    options.tmpdir = const_cast<char*>(tmp.constData());
    // The library's own 8-bit file calls cannot take every name on Windows:
    // the workbook is made under a plain name and then given its own.
    const QString plain = file(u"made.xlsx"_s);
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(plain).constData(), &options);
    lxw_worksheet* books = workbook_add_worksheet(book, "Βιβλία");
    lxw_worksheet* students = workbook_add_worksheet(book, "Μαθητές");
    lxw_format* padded = workbook_add_format(book);
    format_set_num_format(padded, "0000");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "dd/mm/yyyy");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    worksheet_write_string(books, 0, 0, "Τίτλος", bold);
    worksheet_write_string(books, 0, 1, "Συγγραφέας", bold);
    worksheet_write_string(books, 0, 3, "Βιβλιάριθμος", bold);
    worksheet_write_string(books, 1, 0, "Η Φόνισσα", nullptr);
    worksheet_write_string(books, 1, 1, "Παπαδιαμάντης, Αλέξανδρος", nullptr);
    worksheet_write_number(books, 1, 3, 42, padded);
    lxw_rich_string_tuple first{bold, const_cast<char*>("Πρώτη\n")};
    lxw_rich_string_tuple second{nullptr, const_cast<char*>("δεύτερη")};
    lxw_rich_string_tuple* runs[] = {&first, &second, nullptr};
    worksheet_write_rich_string(books, 3, 0, runs, nullptr);
    worksheet_write_number(books, 3, 1, 3.5, nullptr);
    lxw_datetime day{2024, 9, 11, 0, 0, 0};
    worksheet_write_datetime(books, 3, 2, &day, date);
    worksheet_write_number(books, 3, 3, 1234, nullptr);
    worksheet_write_boolean(books, 3, 4, 1, nullptr);
    worksheet_write_string(students, 0, 0, "Μαρία", nullptr);
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    QFile::remove(path);
    EXPECT_TRUE(QFile::rename(plain, path));
    return path;
  }

  struct Entry {
    const char* name;
    QByteArray bytes;
  };
  // A zip of `entries` in order, the first stored and the rest deflated, as
  // an ods begins with its stored mimetype.
  QString makeZip(const QString& name, const QList<Entry>& entries) {
    const QString path = file(name);
    zipFile zip = zipOpen64(QFile::encodeName(path).constData(), APPEND_STATUS_CREATE);
    for (qsizetype i = 0; i < entries.size(); ++i) {
      zip_fileinfo info{};
      EXPECT_EQ(zipOpenNewFileInZip64(zip, entries[i].name, &info, nullptr, 0, nullptr, 0, nullptr,
                                      i == 0 ? 0 : Z_DEFLATED, i == 0 ? 0 : Z_DEFAULT_COMPRESSION, 0),
                ZIP_OK);
      zipWriteInFileInZip(zip, entries[i].bytes.constData(), unsigned(entries[i].bytes.size()));
      zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
    return path;
  }
  QString makeOds(const QString& name, const QByteArray& tables) {
    const QByteArray content =
        R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
        R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
        R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:spreadsheet>)" +
        tables + "</office:spreadsheet></office:body></office:document-content>";
    return makeZip(name, {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", content}});
  }
  // An xlsx of the fewest parts, its one sheet's data and shared strings as
  // given; the workbook names its sheet with an absolute path.
  QString makeXlsxParts(const QString& name, const QByteArray& rows, const QByteArray& strings) {
    const QByteArray ns = R"( xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")";
    const QByteArray relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    return makeZip(
        name,
        {{"[Content_Types].xml", "<Types/>"},
         {"_rels/.rels", R"(<Relationships><Relationship Id="r1" Type=")" + relNs +
                             R"(/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
         {"xl/workbook.xml", "<workbook" + ns + " xmlns:rel=\"" + relNs +
                                 R"("><sheets><sheet name="Φύλλο" sheetId="1" rel:id="s1"/></sheets></workbook>)"},
         {"xl/_rels/workbook.xml.rels",
          R"(<Relationships><Relationship Id="s1" Type=")" + relNs +
              R"(/worksheet" Target="/xl/worksheets/a.xml"/><Relationship Id="s2" Type=")" + relNs +
              R"(/sharedStrings" Target="strings.xml"/></Relationships>)"},
         {"xl/strings.xml", "<sst" + ns + ">" + strings + "</sst>"},
         {"xl/worksheets/a.xml", "<worksheet" + ns + "><sheetData>" + rows + "</sheetData></worksheet>"}});
  }
  static QByteArray odsRow(const QByteArray& cells, int repeat = 1) {
    return "<table:table-row table:number-rows-repeated=\"" + QByteArray::number(repeat) + "\">" + cells +
           "</table:table-row>";
  }
  static QByteArray odsCell(const QByteArray& paragraph) {
    return "<table:table-cell><text:p>" + paragraph + "</text:p></table:table-cell>";
  }
  static QByteArray odsBlanks(int repeat) {
    return "<table:table-cell table:number-columns-repeated=\"" + QByteArray::number(repeat) + "\"/>";
  }
};
