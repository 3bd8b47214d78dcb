#include "catalogue_tool/CatalogueTool.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <vector>

#include "LomiraVersion.h"
#include "catalogue/file/ImportJournal.h"
#include "catalogue_tool/LabelsCommand.h"
#include "catalogue_tool/LoansCommand.h"
#include "catalogue_tool/MarcToolOptions.h"
#include "catalogue_tool/ToolReasons.h"
#include "transfer/Check.h"
#include "transfer/FileFormats.h"
#include "transfer/export/Export.h"
#include "transfer/import/Import.h"
#include "transfer/table/TableColumns.h"

using namespace Qt::StringLiterals;

namespace {

enum Status { kSuccess = 0, kRefused = 1, kFileError = 2 };

// The usage, its lists of formats filled in from fileFormats().
const QString kUsageText =
    uR"(Χρήση:
  lomira-catalogue export --format ΜΟΡΦΗ [--no-borrowers] ΚΑΤΑΛΟΓΟΣ ΑΡΧΕΙΟ
  lomira-catalogue export --format %2 [--agency ΚΩΔΙΚΟΣ]
                   [--items koha --branch ΒΙΒΛΙΟΘΗΚΗ [--item-type ΤΥΠΟΣ]] ΚΑΤΑΛΟΓΟΣ ΑΡΧΕΙΟ
  lomira-catalogue import [--truncate] [--allow-repeats] [--sheet ΦΥΛΛΟ]
                   [--columns ΣΤΗΛΕΣ] ΑΡΧΕΙΟ ΚΑΤΑΛΟΓΟΣ
  lomira-catalogue check ΚΑΤΑΛΟΓΟΣ
  lomira-catalogue loans [--all] [--date ΕΕΕΕ-ΜΜ-ΗΗ] [--format csv|text] ΚΑΤΑΛΟΓΟΣ [ΑΡΧΕΙΟ]
  lomira-catalogue labels --sheet ΦΥΛΛΟ [--from ΚΩΔΙΚΟΣ] [--to ΚΩΔΙΚΟΣ] [--start ΣΕΙΡΑ,ΣΤΗΛΗ]
                   [--offset X,Y] [--school ΟΝΟΜΑ] ΚΑΤΑΛΟΓΟΣ ΑΡΧΕΙΟ.pdf

export   γράφει τον κατάλογο σε ΑΡΧΕΙΟ: %1
import   προσθέτει στον κατάλογο τις γραμμές ενός πίνακα (%3),
         τις εγγραφές ενός αρχείου MARC ή ενός άλλου καταλόγου· όλα ελέγχονται,
         κι αν κάτι δεν περάσει, ο κατάλογος μένει όπως ήταν
check    ελέγχει τον κατάλογο χωρίς να γράψει τίποτα
loans    τα εκπρόθεσμα βιβλία ανά τμήμα και μαθητή (--all: όλα τα δανεισμένα),
         από το πεδίο του δανειζόμενου, ως κείμενο ή csv· --date ορίζει τη
         σημερινή ημέρα· ο κατάλογος δεν αλλάζει
labels   γράφει σε PDF ετικέτες ράχης με γραμμωτό κώδικα (Code 128) για τα βιβλία
         με κωδικούς από --from έως --to, στο φύλλο ετικετών L7160, 3474, L7651
         ή L7163, από την ετικέτα --start (σειρά,στήλη) ενός φύλλου που έχει
         ήδη χρησιμοποιηθεί εν μέρει· --offset μετακινεί τις ετικέτες δεξιά,κάτω
         σε χιλιοστά για εκτυπωτή που τις τυπώνει μετατοπισμένες

Στο MARC ο βιβλιάριθμος γίνεται αντίτυπο (852 ή 995)· --agency δίνει τον κωδικό
της βιβλιοθήκης που καταλογογραφεί (003, 040, 801)· --items koha γράφει τα
αντίτυπα ως στοιχεία του Koha (952 ή 995) της βιβλιοθήκης --branch, τύπου
--item-type (αλλιώς BK). Οι εγγραφές χωρίς τίτλο δεν γράφονται και αναφέρονται.

Στην εισαγωγή οι στήλες αναγνωρίζονται από την πρώτη σειρά (Τίτλος, Συγγραφέας,
Εκδότης, Βιβλιάριθμος, Θέμα… με πεζά ή κεφαλαία, με ή χωρίς τόνους)· σε αρχείο
χωρίς επικεφαλίδα --columns δίνει το πεδίο κάθε στήλης με τη σειρά, π.χ.
--columns "Τίτλος,Συγγραφέας,-,Θέμα" («-» αφήνει τη στήλη έξω). --sheet διαλέγει
φύλλο βιβλίου εργασίας. Βιβλιάριθμοι που υπάρχουν ήδη ή επαναλαμβάνονται
αναφέρονται και η εισαγωγή δεν γίνεται χωρίς --allow-repeats.

Κατάσταση εξόδου: 0 επιτυχία, 1 άρνηση ή ευρήματα, 2 αρχείο που δεν διαβάστηκε ή δεν γράφτηκε.
)"_s;

// "a, b ή c"
QString alternatives(const QStringList& names) {
  if (names.size() < 2) return names.join(QString());
  return names.first(names.size() - 1).join(u", "_s) + u" ή "_s + names.last();
}

QString usage() {
  QStringList written;
  QStringList marc;
  QStringList tables;
  for (const FileFormat& format : fileFormats()) {
    if (format.canWrite()) written.append(format.name);
    if (format.canWrite() && format.family == FileFormat::Family::Marc) marc.append(format.name);
    if (format.canRead() && format.family == FileFormat::Family::Table) tables.append(format.shown);
  }
  return kUsageText.arg(alternatives(written), marc.join(u'|'), tables.join(u", "_s));
}

// Greek on every console: the Windows box texts use CR LF.
void print(QTextStream& stream, const QString& text) {
  stream << QString(text).replace(u"\r\n"_s, u"\n"_s) << '\n';
  stream.flush();
}

int usageError(QTextStream& err, const QString& problem) {
  print(err, u"lomira-catalogue: "_s + problem);
  print(err, u"Δείτε «lomira-catalogue --help»."_s);
  return kRefused;
}

int runExport(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 3) return usageError(err, u"το export θέλει ΚΑΤΑΛΟΓΟ και ΑΡΧΕΙΟ"_s);
  if (!parser.isSet(u"format"_s)) return usageError(err, u"λείπει το --format"_s);
  const std::optional<ExportFormat> format = exportFormatNamed(parser.value(u"format"_s));
  if (!format) return usageError(err, u"άγνωστη μορφή «%1»"_s.arg(parser.value(u"format"_s)));
  const std::variant<MarcOptions, QString> marc = marcOptionsFrom(parser, *format);
  if (const QString* problem = std::get_if<QString>(&marc)) return usageError(err, *problem);
  const ExportResult result =
      exportCatalogue(args[1], args[2], {*format, !parser.isSet(u"no-borrowers"_s), std::get<MarcOptions>(marc)});
  if (result.status != ExportResult::Status::Done) {
    print(err, result.error);
    return result.status == ExportResult::Status::Refused ? kRefused : kFileError;
  }
  print(out,
        u"Γράφτηκαν %1 εγγραφές του «%2» στο «%3»."_s.arg(result.records).arg(QFileInfo(args[1]).fileName(), args[2]));
  if (!result.leftOut.isEmpty())
    print(err, u"Δεν γράφτηκαν οι εγγραφές χωρίς τίτλο (%1): %2."_s.arg(result.leftOut.count())
                   .arg(result.leftOut.toString()));
  return kSuccess;
}

int runImport(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 3) return usageError(err, u"το import θέλει ΑΡΧΕΙΟ και ΚΑΤΑΛΟΓΟ"_s);
  ImportOptions options;
  options.truncate = parser.isSet(u"truncate"_s);
  options.allowRepeats = parser.isSet(u"allow-repeats"_s);
  options.sheet = parser.value(u"sheet"_s);
  if (parser.isSet(u"columns"_s)) {
    QStringList unknown;
    options.columns = columnsNamed(parser.value(u"columns"_s), unknown);
    if (!unknown.isEmpty())
      return usageError(err, u"το --columns ονομάζει «%1», που δεν είναι στήλη του καταλόγου· οι στήλες:\n%2"_s.arg(
                                 unknown.first(), acceptedColumnNames().join(u'\n')));
  }
  const ImportResult result = importIntoCatalogue(args[1], args[2], options);
  const QString catalogue = QFileInfo(args[2]).fileName();
  // First of all, with the rest of what this import says.
  if (result.undidUnfinished)
    print(result.status == ImportResult::Status::Done ? out : err, importjournal::undoneNotice(catalogue));
  switch (result.status) {
    case ImportResult::Status::Refused:
    case ImportResult::Status::Repeats: {
      print(err, result.undidUnfinished
                     ? u"Η εισαγωγή δεν έγινε· ο κατάλογος «%1» είναι όπως ήταν πριν από την εισαγωγή που δεν είχε "
                       "τελειώσει:"_s.arg(catalogue)
                     : u"Η εισαγωγή δεν έγινε· ο κατάλογος «%1» έμεινε όπως ήταν:"_s.arg(catalogue));
      for (const ImportReason& reason : result.refusals.listed) print(err, toolWording(reason));
      if (result.refusals.more > 0) print(err, u"… και %1 ακόμη."_s.arg(result.refusals.more));
      if (result.status == ImportResult::Status::Repeats)
        print(err, u"Αν τα αντίτυπα είναι πράγματι ξεχωριστά βιβλία με τον ίδιο αριθμό, δώστε --allow-repeats."_s);
      return kRefused;
    }
    case ImportResult::Status::Cancelled:
    case ImportResult::Status::Failed:
      print(err, result.failure);
      return kFileError;
    case ImportResult::Status::Done:
      break;
  }
  for (const ImportReason& cut : result.cuts.listed) print(out, toolWording(cut));
  if (result.cuts.more > 0) print(out, u"… και %1 ακόμη κομμένα πεδία."_s.arg(result.cuts.more));
  for (const ImportReason& note : result.notes.listed) print(out, toolWording(note));
  if (result.notes.more > 0) print(out, u"… και %1 ακόμη."_s.arg(result.notes.more));
  if (result.count == 0)
    print(out, u"Δεν προστέθηκε καμία εγγραφή στον «%1»."_s.arg(catalogue));
  else if (result.count == 1)
    print(out, u"Προστέθηκε 1 εγγραφή στον «%1», με κωδικό %2."_s.arg(catalogue).arg(result.first));
  else
    print(out, u"Προστέθηκαν %1 εγγραφές στον «%2», με κωδικούς %3 έως %4."_s.arg(result.count)
                   .arg(catalogue)
                   .arg(result.first)
                   .arg(result.first + result.count - 1));
  return kSuccess;
}

int runCheck(const QCommandLineParser&, const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.size() != 2) return usageError(err, u"το check θέλει ΚΑΤΑΛΟΓΟ"_s);
  const CheckReport report = checkCatalogue(args[1]);
  for (const QString& line : report.lines) print(report.readable ? out : err, line);
  return !report.readable ? kFileError : report.findings ? kRefused : kSuccess;
}

int runLoans(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err) {
  return runLoansCommand(parser, args, out, err, [&err](const QString& problem) { return usageError(err, problem); });
}

int runLabels(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err) {
  const LabelsToolOutcome outcome = runLabelsTool(parser, args, out, err);
  if (const QString* problem = std::get_if<QString>(&outcome)) return usageError(err, *problem);
  return std::get<int>(outcome);
}

// The tool's commands: each with the options it takes and what runs it.
struct Command {
  QString name;
  QStringList options;
  int (*run)(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err);
};

const std::vector<Command>& commands() {
  static const std::vector<Command> table{
      {u"export"_s, QStringList{u"format"_s, u"no-borrowers"_s} + marcToolOptionNames(), runExport},
      {u"import"_s, {u"truncate"_s, u"allow-repeats"_s, u"sheet"_s, u"columns"_s}, runImport},
      {u"check"_s, {}, runCheck},
      {u"loans"_s, loansToolOptionNames(), runLoans},
      {u"labels"_s, labelsToolOptionNames(), runLabels},
  };
  return table;
}

const Command* commandNamed(const QString& name) {
  for (const Command& command : commands())
    if (command.name == name) return &command;
  return nullptr;
}

// "export, import, check ή loans"
QString commandNames() {
  QStringList names;
  for (const Command& command : commands()) names.append(command.name);
  const QString last = names.takeLast();
  return names.join(u", "_s) + u" ή "_s + last;
}

}  // namespace

int runCatalogueTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
  QCommandLineParser parser;
  const QCommandLineOption help({u"h"_s, u"help"_s}, u"αυτή η βοήθεια"_s);
  const QCommandLineOption version(u"version"_s, u"η έκδοση"_s);
  parser.addOptions({help,
                     version,
                     {u"format"_s, u"μορφή της εξαγωγής"_s, u"ΜΟΡΦΗ"_s},
                     {u"no-borrowers"_s, u"χωρίς τη στήλη του δανειζόμενου"_s},
                     {u"truncate"_s, u"κόβει τα πολύ μεγάλα πεδία αντί να αρνηθεί την εισαγωγή"_s},
                     {u"allow-repeats"_s, u"εισάγει και βιβλιαρίθμους που υπάρχουν ήδη ή επαναλαμβάνονται"_s},
                     {u"sheet"_s, u"το φύλλο του βιβλίου εργασίας"_s, u"ΦΥΛΛΟ"_s},
                     {u"columns"_s, u"το πεδίο κάθε στήλης, με τη σειρά"_s, u"ΣΤΗΛΕΣ"_s}});
  parser.addOptions(marcToolOptions());
  parser.addOptions(loansToolOptions());
  parser.addOptions(labelsToolOptions());
  if (!parser.parse(arguments)) {
    if (!parser.unknownOptionNames().isEmpty())
      return usageError(err, u"άγνωστη επιλογή «%1»"_s.arg(parser.unknownOptionNames().first()));
    return usageError(err, u"λάθος επιλογές (%1)"_s.arg(parser.errorText()));
  }
  if (parser.isSet(help)) {
    out << usage();
    out.flush();
    return kSuccess;
  }
  if (parser.isSet(version)) {
    print(out, u"lomira-catalogue %1.%2.%3"_s.arg(lomira::kVersionMajor)
                   .arg(lomira::kVersionMinor)
                   .arg(lomira::kVersionPatch));
    return kSuccess;
  }
  const QStringList args = parser.positionalArguments();
  const QString name = args.value(0);
  const Command* command = commandNamed(name);
  if (!command)
    return usageError(
        err, name.isEmpty() ? u"λείπει η εντολή (%1)"_s.arg(commandNames()) : u"άγνωστη εντολή «%1»"_s.arg(name));
  // An option meant for another command is a mistake, not something to ignore.
  for (const QString& option : parser.optionNames())
    if (!command->options.contains(option))
      return usageError(err, u"η επιλογή «--%1» δεν ταιριάζει στην εντολή «%2»"_s.arg(option, name));
  // An empty name would be taken for the folder or for the default catalogue.
  if (args.contains(QString()))
    return usageError(err, u"ένα από τα ονόματα αρχείων είναι κενό· γράψτε το όνομα κάθε αρχείου"_s);
  return command->run(parser, args, out, err);
}
