#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What an import found, by what happened and where, without words for it:
// the tool and the librarian's window each say it in their own terms, with
// what each of them can do about it.
struct ImportReason {
  enum class Code {
    Said,               // a sentence every front end shows as it is: `text`
    ReadAs,             // the table `file` was read as `text` ("CSV, UTF-8, διαχωριστικό «;»")
    Unwritable,         // `character` has no Windows-1253 byte; `folded` the letter it may be written as, if any
    Undefined,          // `character` is a byte Windows-1253 leaves undefined
    Control,            // `character` is a control character the field takes none of
    TooLong,            // `text` has `length` characters, the field `width`
    Cut,                // `text` was cut to the field's `width`; `lost` went
    Folded,             // `text` was written as `folded`, its Latin letters without accents
    Skipped,            // the MARC record at `place` holds nothing for the catalogue
    NoHeader,           // the first row (`row`) names no column; `names` its first cells
    UnknownColumns,     // the header row (`row`) names `names`, not columns of the catalogue
    ExtraCell,          // row `row` has text in cell `length`, the table `width` columns
    NotCatalogue,       // the file `file` is `length` bytes, no whole number of records
    RecordBytes,        // record `row` of `file` holds `names` (what the check reports)
    RepeatInCatalogue,  // `number` (held as `text`) stands in the catalogue, code `row`
    RepeatInFile,       // `number` (held as `text`) is given above, at `other`
  };
  Code code = Code::Said;
  // Where, worded for every front end and ending ": " ("σειρά 3, στήλη «Τίτλος»: "); empty for the file as a whole.
  QString place;
  QString text;
  QString character;
  QString folded;
  QString lost;
  QString file;
  QString number;
  QString other;
  QStringList names;
  qint64 row = 0;
  qint64 length = 0;
  int width = 0;

  static ImportReason said(const QString& sentence) {
    ImportReason reason;
    reason.text = sentence;
    return reason;
  }
};

// The first kMost reasons of a kind, and how many more there were.
struct ImportReasons {
  static constexpr qsizetype kMost = 100;
  QList<ImportReason> listed;
  qint64 more = 0;

  void add(const ImportReason& reason) {
    if (listed.size() < kMost)
      listed.append(reason);
    else
      ++more;
  }
  bool isEmpty() const { return listed.isEmpty(); }
  qint64 count() const { return listed.size() + more; }
  void clear() {
    listed.clear();
    more = 0;
  }
};
