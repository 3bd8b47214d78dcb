#include "import_command/CatalogueImportCommand.h"

#include <QFileInfo>
#include <algorithm>

#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueRecord.h"
#include "transfer/import/FieldText.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;

namespace {

// What a box lists of the engine's reasons, repeats or cuts; the rest are counted.
constexpr qsizetype kListedLines = 10;

const QStringList& importFilters() {
  static const QStringList filters{
      u"Καταλόγοι και πίνακες (*.csv *.txt *.xlsx *.ods *.xls *.mrc *.xml *.dat)"_s,
      u"Πίνακας CSV ή κειμένου (*.csv *.txt)"_s,
      u"Υπολογιστικό φύλλο Excel (*.xlsx)"_s,
      u"Υπολογιστικό φύλλο OpenDocument (*.ods)"_s,
      u"Παλαιό υπολογιστικό φύλλο Excel (*.xls)"_s,
      u"MARC21 ή UNIMARC για βιβλιοθήκες (*.mrc)"_s,
      u"MARCXML για βιβλιοθήκες (*.xml)"_s,
      u"Κατάλογος (*.dat)"_s,
      u"Όλα τα αρχεία (*)"_s,
  };
  return filters;
}

// The first lines, then how many more there are.
QString listed(const QStringList& lines, qint64 more) {
  const qsizetype shown = std::min(lines.size(), kListedLines);
  QString text = lines.mid(0, shown).join(u"\r\n"_s);
  more += lines.size() - shown;
  if (more > 0) text += u"\r\n… και άλλες %1."_s.arg(more);
  return text;
}

QString addedText(qint32 first, qint32 count) {
  if (count == 0) return u"Δεν προστέθηκε καμία εγγραφή: το αρχείο δεν είχε βιβλία."_s;
  if (count == 1) return u"Προστέθηκε 1 εγγραφή, με κωδικό %1."_s.arg(first);
  return u"Προστέθηκαν %1 εγγραφές, με κωδικούς %2 έως %3."_s.arg(count).arg(first).arg(first + count - 1);
}

int columnCountOf(const ImportPreview& preview) {
  qsizetype count = std::max(preview.header.size(), preview.columns.size());
  for (const QStringList& row : preview.rows) count = std::max(count, row.size());
  return int(count);
}

// The dialog's view of a table: for each field the first column proposed for it.
Dialogs::ColumnsQuestion questionFor(const ImportPreview& preview, const QString& input) {
  Dialogs::ColumnsQuestion question;
  question.file = QFileInfo(input).fileName();
  question.seen = preview.seen;
  question.firstRow = preview.header;
  // A first row that names some columns but not all is still no book.
  question.firstRowIsHeader = preview.headerRecognised || std::any_of(preview.columns.begin(), preview.columns.end(),
                                                                      [](int c) { return c != kNoColumn; });
  question.rows = preview.rows;
  for (int field = 0; field < CatalogueRecord::kFieldCount; ++field)
    question.columnOfField.append(int(preview.columns.indexOf(field)));
  question.stored = [](const QString& cell, int field) { return storedText(cell, field); };
  return question;
}

// The import's column list from the user's choice: the field of each file
// column; a column no field took is left out, or stays the code column.
QList<int> columnsFrom(const ImportPreview& preview, const Dialogs::ColumnChoice& choice) {
  const int count = columnCountOf(preview);
  QList<int> columns(count, kNoColumn);
  for (int column = 0; column < count; ++column)
    if (preview.columns.value(column, kNoColumn) == kCodeColumn) columns[column] = kCodeColumn;
  for (int field = 0; field < choice.columnOfField.size(); ++field) {
    const int column = choice.columnOfField[field];
    if (column >= 0 && column < count) columns[column] = field;
  }
  return columns;
}

// One import from the user's choice of file to the last box.
class ImportRun {
 public:
  ImportRun(const ImportEngine& engine, CatalogueFile& catalogue, Dialogs& dialogs, const QString& productTitle)
      : m_engine(engine),
        m_catalogue(catalogue),
        m_dialogs(dialogs),
        m_productTitle(productTitle),
        m_title(productTitle + u": Εισαγωγή καταλόγου"_s) {}

  CatalogueImporter::Added run() {
    m_input = m_dialogs.openFile(m_title, QFileInfo(m_catalogue.path()).absolutePath(), importFilters());
    if (m_input.isEmpty()) return {};
    ImportOptions options;
    if (!confirmed(options)) return {};
    ImportResult result = importWith(options);
    if (result.status == ImportResult::Status::Repeats) {
      if (!repeatsAccepted(result)) return {};
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
    const ImportPreview preview = m_engine.preview(m_input, options);
    switch (preview.kind) {
      case ImportPreview::Kind::Unreadable:
        notice(preview.error, Dialogs::Icon::Exclamation);
        return false;
      case ImportPreview::Kind::Table:
        return columnsChosen(preview, options);
      case ImportPreview::Kind::Records:
        return recordsConfirmed(preview);
    }
    return false;
  }

  bool columnsChosen(const ImportPreview& preview, ImportOptions& options) {
    const std::optional<Dialogs::ColumnChoice> choice = m_dialogs.chooseColumns(questionFor(preview, m_input), m_title);
    if (!choice) return false;
    options.columns = columnsFrom(preview, *choice);
    options.firstRow = choice->firstRowIsHeader ? FirstRow::Header : FirstRow::Data;
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

  ImportResult importWith(const ImportOptions& options) {
    const std::unique_ptr<Dialogs::Progress> progress =
        m_dialogs.progress(u"Εισαγωγή από το «%1»…"_s.arg(fileName()), m_title);
    return m_engine.import(m_input, m_catalogue, options,
                           [&](qint64 done, qint64 total) { return progress->advance(done, total); });
  }

  bool repeatsAccepted(const ImportResult& result) {
    return ask(u"Αυτοί οι αριθμοί βιβλίων υπάρχουν ήδη στον κατάλογο ή επαναλαμβάνονται στο αρχείο:\r\n"_s +
                   listed(result.messages, result.moreMessages) + u"\r\nΝα προστεθούν τα βιβλία και έτσι;"_s,
               Dialogs::Answer::No);
  }

  void tell(const ImportResult& result) {
    switch (result.status) {
      case ImportResult::Status::Done:
        notice(addedText(result.first, result.count) + cutsText(result), Dialogs::Icon::Information);
        return;
      case ImportResult::Status::Cancelled:
        notice(u"Η εισαγωγή ακυρώθηκε· δεν προστέθηκε καμία εγγραφή στον κατάλογο."_s, Dialogs::Icon::Information);
        return;
      case ImportResult::Status::Refused:
        notice(u"Η εισαγωγή από το «%1» δεν έγινε· ο κατάλογος «%2» έμεινε όπως ήταν:\r\n"_s.arg(
                   fileName(), QFileInfo(m_catalogue.path()).fileName()) +
                   listed(result.messages, result.moreMessages),
               Dialogs::Icon::Exclamation);
        return;
      case ImportResult::Status::Repeats:
      case ImportResult::Status::Failed:
        notice(result.messages.join(u"\r\n"_s), Dialogs::Icon::Exclamation);
        return;
    }
  }

  static QString cutsText(const ImportResult& result) {
    if (result.messages.isEmpty()) return {};
    return u"\r\nΚόπηκαν όσα δεν χωρούσαν:\r\n"_s + listed(result.messages, result.moreMessages);
  }

  bool ask(const QString& question, Dialogs::Answer defaultButton) {
    return m_dialogs.message(question, m_productTitle, Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                             defaultButton) == Dialogs::Answer::Yes;
  }
  void notice(const QString& text, Dialogs::Icon icon) { m_dialogs.notice(text, m_productTitle, icon); }
  QString fileName() const { return QFileInfo(m_input).fileName(); }

  const ImportEngine& m_engine;
  CatalogueFile& m_catalogue;
  Dialogs& m_dialogs;
  const QString m_productTitle;
  const QString m_title;
  QString m_input;
};

}  // namespace

ImportEngine ImportEngine::real() {
  return {[](const QString& input, const ImportOptions& options) { return previewImport(input, options); },
          importIntoOpenCatalogue};
}

CatalogueImporter::Added CatalogueImportCommand::importCatalogue(CatalogueFile& catalogue, Dialogs& dialogs,
                                                                 const QString& productTitle) {
  return ImportRun(m_engine, catalogue, dialogs, productTitle).run();
}
