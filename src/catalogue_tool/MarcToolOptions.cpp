#include "catalogue_tool/MarcToolOptions.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// A code as library systems take it: ISIL's letters, digits and "-/:", at most 16.
bool isCode(const QString& code) {
  static const QRegularExpression kCode(u"^[A-Za-z0-9/:-]{1,16}$"_s);
  return kCode.match(code).hasMatch();
}

QString notACode(const QString& code, const QString& option) {
  return u"ο κωδικός «%1» του --%2 θέλει ως 16 λατινικά γράμματα, ψηφία ή «-/:»"_s.arg(code, option);
}

}  // namespace

QList<QCommandLineOption> marcToolOptions() {
  return {{u"agency"_s, u"ο κωδικός της βιβλιοθήκης στο MARC"_s, u"ΚΩΔΙΚΟΣ"_s},
          {u"items"_s, u"αντίτυπα για το Koha"_s, u"koha"_s},
          {u"branch"_s, u"η βιβλιοθήκη των αντιτύπων στο Koha"_s, u"ΒΙΒΛΙΟΘΗΚΗ"_s},
          {u"item-type"_s, u"ο τύπος των αντιτύπων στο Koha"_s, u"ΤΥΠΟΣ"_s}};
}

QStringList marcToolOptionNames() { return {u"agency"_s, u"items"_s, u"branch"_s, u"item-type"_s}; }

std::variant<MarcOptions, QString> marcOptionsFrom(const QCommandLineParser& parser, ExportFormat format) {
  const bool marc =
      format == ExportFormat::Marc21 || format == ExportFormat::MarcXml || format == ExportFormat::Unimarc;
  for (const QString& option : marcToolOptionNames())
    if (!marc && parser.isSet(option)) return u"η επιλογή «--%1» ταιριάζει μόνο στις μορφές MARC"_s.arg(option);
  MarcOptions options;
  options.agency = parser.value(u"agency"_s);
  if (parser.isSet(u"agency"_s) && !isCode(options.agency)) return notACode(options.agency, u"agency"_s);
  options.kohaItems = parser.isSet(u"items"_s);
  if (options.kohaItems && parser.value(u"items"_s) != u"koha"_s) return u"το --items ξέρει μόνο το «koha»"_s;
  options.branch = parser.value(u"branch"_s);
  if (options.kohaItems != parser.isSet(u"branch"_s)) return u"τα --items koha και --branch δίνονται μαζί"_s;
  if (parser.isSet(u"item-type"_s) && !options.kohaItems) return u"το --item-type θέλει --items koha"_s;
  if (parser.isSet(u"item-type"_s)) options.itemType = parser.value(u"item-type"_s);
  if (options.kohaItems && !isCode(options.branch)) return notACode(options.branch, u"branch"_s);
  if (options.kohaItems && !isCode(options.itemType)) return notACode(options.itemType, u"item-type"_s);
  bool fixed = false;
  const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&fixed);
  if (fixed) options.moment = QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC);
  return options;
}
