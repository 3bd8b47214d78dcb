#include "import_command/CatalogueImportCommand.h"

#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "catalogue/CatalogueRecord.h"
#include "catalogue/Cp1253.h"
#include "catalogue/file/CatalogueFile.h"
#include "import_command/WindowReasons.h"
#include "transfer/FileFormats.h"
#include "transfer/import/FieldText.h"
#include "transfer/import/TableLayout.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;

namespace {

// What a box lists of the engine's reasons, repeats or cuts; the rest are counted.
constexpr qsizetype kListedLines = 10;

// The first lines, then how many more there are.
QString listed(const QStringList& lines, qint64 more) {
  const qsizetype shown = std::min(lines.size(), kListedLines);
  QString text = lines.mid(0, shown).join(u"\r\n"_s);
  more += lines.size() - shown;
  if (more > 0) text += u"\r\n… και άλλες %1."_s.arg(more);
  return text;
}

// The first reasons in the window's words, then how many more there are.
QString listed(const QList<ImportReason>& reasons, qint64 more) {
  QStringList lines;
  for (qsizetype i = 0; i < std::min(reasons.size(), kListedLines); ++i) lines.append(windowWording(reasons[i]));
  return listed(lines, more + reasons.size() - lines.size());
}
QString listed(const ImportReasons& reasons) { return listed(reasons.listed, reasons.more); }

// The preview's view of a cell: whole, and why the import could not store it as it is.
Dialogs::PreviewCell previewCell(const QString& cell, int field) {
  const FieldPreview fit = previewField(cell, field);
  QStringList problems;
  if (fit.text.size() > fit.width)
    problems.append(u"%1 χαρακτήρες, ενώ το πεδίο χωρά %2· αν κοπεί, χάνεται το «%3»"_s.arg(fit.text.size())
                        .arg(fit.width)
                        .arg(fit.text.sliced(fit.width)));
  for (const QString& character : fit.unwritable) {
    ImportReason reason;
    reason.code = ImportReason::Code::Unwritable;
    reason.character = character;
    if (const QChar letter = cp1253::foldedLetter(character.front()); !letter.isNull()) reason.folded = letter;
    problems.append(windowWording(reason));
  }
  return {fit.text, problems.join(u"\n"_s)};
}

QString addedText(qint32 first, qint32 count) {
  if (count == 0) return u"Δεν προστέθηκε καμία εγγραφή: το αρχείο δεν είχε βιβλία."_s;
  if (count == 1) return u"Προστέθηκε 1 εγγραφή, με κωδικό %1."_s.arg(first);
  return u"Προστέθηκαν %1 εγγραφές, με κωδικούς %2 έως %3."_s.arg(count).arg(first).arg(first + count - 1);
}

int columnCountOf(const ImportPreview& preview) {
  qsizetype count = std::max(preview.header.size(), preview.columns.size());
  for (const QStringList& row : preview.rows + preview.lastRows) count = std::max(count, row.size());
  return int(count);
}

// The import's column list from the user's choice: the field of each file
// column; a column no field took is left out, or stays the code column.
QList<int> columnsFrom(const ImportPreview& preview, const Dialogs::ColumnChoice& choice) {
  const int count = columnCountOf(preview);
  QList<int> columns(count, kNoColumn);
  for (int column = 0; column < count; ++column)
    if (preview.columns.value(column, kNoColumn) == kCodeColumn) columns[column] = kCodeColumn;
  for (int field = 0; field < choice.columnsOfField.size(); ++field)
    for (const int column : choice.columnsOfField[field])
      if (column >= 0 && column < count) columns[column] = field;
  return columns;
}

// One import from the user's choice of file to the last box.
class ImportRun {
 public:
  ImportRun(const ImportEngine& engine, ReadingsBeside& readings, CatalogueImportCommand::Memory& memory,
            CatalogueFile& catalogue, Dialogs& dialogs, const QString& productTitle, QString& lastFolder)
      : m_engine(engine),
        m_readings(readings),
        m_memory(memory),
        m_catalogue(catalogue),
        m_dialogs(dialogs),
        m_productTitle(productTitle),
        m_title(productTitle + u": Εισαγωγή καταλόγου"_s),
        m_lastFolder(lastFolder) {}

  CatalogueImporter::Added run() {
    // The folder of the file chosen last, even when that import went no further.
    const QString folder = m_lastFolder.isEmpty() ? QFileInfo(m_catalogue.path()).absolutePath() : m_lastFolder;
    m_input = m_dialogs.openFile(m_title, folder, openFilters());
    if (m_input.isEmpty()) return {};
    m_lastFolder = QFileInfo(m_input).absolutePath();
    ImportOptions options;
    if (!confirmed(options)) return {};
    ImportResult result = importWith(options);
    if (result.status == ImportResult::Status::Refused && mendable(result)) {
      if (!mendAccepted(result, options)) return nothingAdded();
      result = importWith(options);
    }
    if (result.status == ImportResult::Status::Repeats) {
      if (!repeatsAccepted(result)) return nothingAdded();
      options.allowRepeats = true;
      result = importWith(options);
    }
    tell(result);
    if (result.status != ImportResult::Status::Done) return {};
    return {result.first, result.count};
  }

 private:
  // What the file holds, shown for the user to confirm or match to the fields.
  bool confirmed(ImportOptions& options) {
    const std::optional<ImportPreview> preview = previewWith(options);
    if (!preview) return false;
    switch (preview->kind) {
      case ImportPreview::Kind::Unreadable:
        notice(preview->reasons.isEmpty() ? preview->error : listed(preview->reasons, 0), Dialogs::Icon::Exclamation);
        return false;
      case ImportPreview::Kind::Table:
        m_preview = *preview;
        return columnsChosen(options) && totalsSettled(options);
      case ImportPreview::Kind::Records:
        return recordsConfirmed(*preview);
      case ImportPreview::Kind::Cancelled:
        return false;
    }
    return false;
  }

  // The file read beside the window, under a progress box; nothing for Cancel.
  std::optional<ImportPreview> previewWith(const ImportOptions& options) {
    const std::unique_ptr<Dialogs::Progress> progress =
        m_dialogs.progress(u"Ανάγνωση του «%1»…"_s.arg(fileName()), m_title);
    auto shown = std::make_shared<ImportPreview>();
    if (!m_readings.read(*progress, [shown, preview = m_engine.preview, input = m_input,
                                     options](const ImportProgress& told) { *shown = preview(input, options, told); }))
      return std::nullopt;
    if (shown->kind == ImportPreview::Kind::Cancelled) return std::nullopt;
    return *shown;
  }

  // The dialog's view of the table: for each field the columns proposed for
  // it. A choice remembered for the same file is proposed again when it still
  // fits its columns.
  Dialogs::ColumnsQuestion question() {
    const ImportPreview& preview = m_preview;
    Dialogs::ColumnsQuestion question;
    question.file = fileName();
    question.seen = preview.seen;
    question.firstRow = preview.header;
    // A first row that names some columns but not all is still no book.
    question.firstRowIsHeader = preview.headerRecognised || std::any_of(preview.columns.begin(), preview.columns.end(),
                                                                        [](int c) { return c != kNoColumn; });
    question.rows = preview.rows;
    for (int field = 0; field < CatalogueRecord::kFieldCount; ++field) {
      QList<int> columns;
      for (int column = 0; column < preview.columns.size(); ++column)
        if (preview.columns[column] == field) columns.append(column);
      question.columnsOfField.append(columns);
    }
    question.stored = [](const QStringList& cells, int field) { return previewCell(joinedCells(cells, field), field); };
    const std::optional<Dialogs::ColumnChoice>& before = m_memory.choice;
    if (QFileInfo(m_input).absoluteFilePath() == m_memory.input && before &&
        std::all_of(before->columnsOfField.begin(), before->columnsOfField.end(), [&](const QList<int>& columns) {
          return std::all_of(columns.begin(), columns.end(),
                             [&](int column) { return column < columnCountOf(preview); });
        })) {
      question.columnsOfField = before->columnsOfField;
      question.firstRowIsHeader = before->firstRowIsHeader;
    }
    question.firstNumber = preview.headerNumber;
    question.rowNumbers = preview.rowNumbers;
    question.rowCount = preview.rowCount;
    question.lastRows = preview.lastRows;
    question.lastNumbers = preview.lastNumbers;
    question.sheets = preview.sheets;
    question.sheet = preview.sheet;
    question.readSheet = [this](const QString& sheet) { return sheetQuestion(sheet); };
    return question;
  }

  // Another sheet of the workbook, read as the first was.
  std::optional<Dialogs::ColumnsQuestion> sheetQuestion(const QString& sheet) {
    ImportOptions options;
    options.sheet = sheet;
    const std::optional<ImportPreview> preview = previewWith(options);
    if (!preview) return std::nullopt;
    if (preview->kind != ImportPreview::Kind::Table) {
      notice(preview->error, Dialogs::Icon::Exclamation);
      return std::nullopt;
    }
    m_preview = *preview;
    return question();
  }

  bool columnsChosen(ImportOptions& options) {
    const std::optional<Dialogs::ColumnChoice> choice = m_dialogs.chooseColumns(question(), m_title);
    if (!choice) return false;
    m_memory = {QFileInfo(m_input).absoluteFilePath(), choice};
    options.columns = columnsFrom(m_preview, *choice);
    options.firstRow = choice->firstRowIsHeader ? FirstRow::Header : FirstRow::Data;
    options.sheet = choice->sheet;
    options.lastRow = choice->lastRow;
    m_firstRowIsHeader = choice->firstRowIsHeader;
    return true;
  }

  // Rows that read as totals or notes are never taken for books unasked.
  bool totalsSettled(ImportOptions& options) {
    QList<int> rows;
    QStringList lines;
    for (qsizetype i = 0; i < m_preview.totalsNumbers.size(); ++i) {
      const int row = m_preview.totalsNumbers[i];
      if ((options.lastRow > 0 && row > options.lastRow) || (m_firstRowIsHeader && row == m_preview.headerNumber))
        continue;
      rows.append(row);
      lines.append(u"σειρά %1: %2"_s.arg(row).arg(m_preview.totalsTexts.value(i)));
    }
    if (rows.isEmpty()) return true;
    const QString question =
        rows.size() == 1
            ? u"Αυτή η σειρά του «%1» μοιάζει με σύνολο ή σημείωση και όχι με βιβλίο:\r\n%2\r\nΝα μείνει έξω από "
              u"την εισαγωγή;"_s
            : u"Αυτές οι σειρές του «%1» μοιάζουν με σύνολα ή σημειώσεις και όχι με βιβλία:\r\n%2\r\nΝα μείνουν "
              u"έξω από την εισαγωγή;"_s;
    const Dialogs::Answer answer =
        m_dialogs.message(question.arg(fileName(), listed(lines, 0)), m_productTitle, Dialogs::Buttons::YesNoCancel,
                          Dialogs::Icon::Question, Dialogs::Answer::Yes);
    if (answer == Dialogs::Answer::Cancel) return false;
    if (answer == Dialogs::Answer::Yes) options.leftOutRows = rows;
    return true;
  }

  bool recordsConfirmed(const ImportPreview& preview) {
    const QString file = preview.seen.isEmpty() ? u"Το αρχείο «%1»"_s.arg(fileName())
                                                : u"Το αρχείο «%1» (%2)"_s.arg(fileName(), preview.seen);
    if (preview.records == 0) {
      notice(file + u" δεν έχει εγγραφές."_s, Dialogs::Icon::Information);
      return false;
    }
    const QString question =
        preview.records == 1
            ? file + u" έχει 1 εγγραφή. Να προστεθεί στο τέλος του καταλόγου;"_s
            : file + u" έχει %1 εγγραφές. Να προστεθούν στο τέλος του καταλόγου;"_s.arg(preview.records);
    return ask(question, Dialogs::Answer::Yes);
  }

  // The import beside the window, waited for, since it writes into the
  // window's open catalogue: Cancel makes it undo what it wrote, the box
  // saying so meanwhile. Once the last step is answered the books are kept,
  // and Cancel goes from the box.
  ImportResult importWith(const ImportOptions& options) {
    const std::unique_ptr<Dialogs::Progress> progress =
        m_dialogs.progress(u"Εισαγωγή από το «%1»…"_s.arg(fileName()), m_title);
    ImportResult result;
    m_readings.write(
        *progress, u"Η εισαγωγή σταματά· ό,τι γράφτηκε στον κατάλογο αναιρείται…"_s,
        [&](const ImportProgress& told) { result = m_engine.import(m_input, m_catalogue, options, told); });
    return result;
  }

  bool repeatsAccepted(const ImportResult& result) {
    return ask(u"Αυτοί οι αριθμοί βιβλίων υπάρχουν ήδη στον κατάλογο ή επαναλαμβάνονται στο αρχείο:\r\n"_s +
                   listed(result.refusals) + u"\r\nΝα προστεθούν τα βιβλία και έτσι;"_s,
               Dialogs::Answer::No);
  }

  // Whether every reason listed is one the window can mend by cutting or by
  // writing letters without accents.
  static bool mendable(const ImportResult& result) {
    bool any = false;
    for (const ImportReason& reason : result.refusals.listed) {
      if (reason.code == ImportReason::Code::ReadAs) continue;
      if (!cutMends(reason) && !foldMends(reason)) return false;
      any = true;
    }
    return any;
  }

  // Asks to cut what is too long and to write Latin letters without their
  // accents, showing what would be lost or changed; sets the options for it.
  bool mendAccepted(const ImportResult& result, ImportOptions& options) {
    QList<ImportReason> cuts;
    QList<ImportReason> folds;
    for (const ImportReason& reason : result.refusals.listed) {
      if (cutMends(reason)) cuts.append(reason);
      if (foldMends(reason)) folds.append(reason);
    }
    QStringList parts;
    if (!cuts.isEmpty())
      parts.append(u"Αυτά τα κείμενα δεν χωρούν στο πεδίο τους· για να μπουν, κόβονται:\r\n"_s + listed(cuts, 0));
    if (!folds.isEmpty())
      parts.append(
          u"Αυτά τα γράμματα δεν υπάρχουν στην ελληνική γραφή του καταλόγου· για να μπουν, γράφονται "
          u"χωρίς τόνους:\r\n"_s +
          listed(folds, 0));
    if (result.refusals.more > 0) parts.last() += u"\r\n… και άλλα %1."_s.arg(result.refusals.more);
    parts.append(u"Να γίνει η εισαγωγή έτσι;"_s);
    const QString question = parts.join(u"\r\n\r\n"_s);
    if (!ask(question, Dialogs::Answer::No)) return false;
    options.truncate = !cuts.isEmpty();
    options.foldAccents = !folds.isEmpty();
    return true;
  }

  CatalogueImporter::Added nothingAdded() {
    notice(u"Δεν προστέθηκε καμία εγγραφή· ο κατάλογος «%1» έμεινε όπως ήταν."_s.arg(
               QFileInfo(m_catalogue.path()).fileName()),
           Dialogs::Icon::Information);
    return {};
  }

  void tell(const ImportResult& result) {
    switch (result.status) {
      case ImportResult::Status::Done:
        notice(addedText(result.first, result.count) + headed(u"Κόπηκαν όσα δεν χωρούσαν:"_s, result.cuts) +
                   headed(u"Σημειώσεις:"_s, result.notes),
               Dialogs::Icon::Information);
        return;
      case ImportResult::Status::Cancelled:
        notice(u"Η εισαγωγή ακυρώθηκε· δεν προστέθηκε καμία εγγραφή στον κατάλογο."_s, Dialogs::Icon::Information);
        return;
      case ImportResult::Status::Refused:
        notice(u"Η εισαγωγή από το «%1» δεν έγινε· ο κατάλογος «%2» έμεινε όπως ήταν:\r\n"_s.arg(
                   fileName(), QFileInfo(m_catalogue.path()).fileName()) +
                   listed(result.refusals),
               Dialogs::Icon::Exclamation);
        return;
      case ImportResult::Status::Repeats:
        notice(listed(result.refusals), Dialogs::Icon::Exclamation);
        return;
      case ImportResult::Status::Failed:
        notice(result.failure, Dialogs::Icon::Exclamation);
        return;
    }
  }

  // A list under its heading, after a blank line; nothing when it is empty.
  static QString headed(const QString& heading, const ImportReasons& reasons) {
    if (reasons.isEmpty()) return {};
    return u"\r\n\r\n"_s + heading + u"\r\n"_s + listed(reasons);
  }

  bool ask(const QString& question, Dialogs::Answer defaultButton) {
    return m_dialogs.message(question, m_productTitle, Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                             defaultButton) == Dialogs::Answer::Yes;
  }
  void notice(const QString& text, Dialogs::Icon icon) { m_dialogs.notice(text, m_productTitle, icon); }
  QString fileName() const { return QFileInfo(m_input).fileName(); }

  const ImportEngine& m_engine;
  ReadingsBeside& m_readings;
  CatalogueImportCommand::Memory& m_memory;
  CatalogueFile& m_catalogue;
  Dialogs& m_dialogs;
  const QString m_productTitle;
  const QString m_title;
  QString& m_lastFolder;
  QString m_input;
  ImportPreview m_preview;  // the table as last read
  bool m_firstRowIsHeader = false;
};

}  // namespace

ImportEngine ImportEngine::real() {
  return {[](const QString& input, const ImportOptions& options, const ImportProgress& progress) {
            return previewImport(input, options, progress);
          },
          importIntoOpenCatalogue};
}

CatalogueImporter::Added CatalogueImportCommand::importCatalogue(CatalogueFile& catalogue, Dialogs& dialogs,
                                                                 const QString& productTitle) {
  return ImportRun(m_engine, m_readings, m_memory, catalogue, dialogs, productTitle, m_lastFolder).run();
}
