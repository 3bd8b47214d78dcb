#include <QProcess>
#include <algorithm>

#include "LabelsFixture.h"
#include "support/TempCatalogue.h"

using namespace Qt::StringLiterals;

namespace {

struct ToolRun {
  int status;
  QString out;
  QString err;
};

ToolRun tool(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(LOMIRA_CATALOGUE_TOOL), arguments);
  process.waitForFinished(120000);
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

// lomira-catalogue labels as the README shows it: the codes asked, from the
// first free label, into the PDF named, the catalogue untouched.
TEST_F(LabelsTest, TheToolWritesTheLabelsOfARangeFromTheStartPosition) {
  TempCatalogue catalogue;
  QList<QStringList> records;
  for (int n = 1; n <= 200; ++n)
    records.append({u"Συγγραφέας %1"_s.arg(n), QString(), u"Τίτλος %1"_s.arg(n), QString(), u"%1 Θέμα"_s.arg(n)});
  catalogue.setRecords(records);
  const QByteArray before = catalogue.bytes();
  const QString pdf = dir.filePath(u"labels.pdf"_s);

  const ToolRun run = tool({u"labels"_s, u"--sheet"_s, u"L7160"_s, u"--from"_s, u"120"_s, u"--to"_s, u"180"_s,
                            u"--start"_s, u"2,1"_s, catalogue.path(), pdf});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, u"Τυπώθηκαν 61 ετικέτες (κωδικοί 120 έως 180) σε 4 φύλλα. Το αρχείο: «%1».\n"_s.arg(pdf));
  EXPECT_EQ(catalogue.bytes(), before);
  QStringList first = pdfreadback::barcodes(pdf, 1);
  std::sort(first.begin(), first.end());
  QStringList expected;
  for (int code = 120; code < 138; ++code) expected.append(QString::number(code));
  EXPECT_EQ(first, expected);
}

TEST_F(LabelsTest, TheToolRefusesWhatItCannotPlaceAndNeverWritesOverTheCatalogue) {
  TempCatalogue catalogue;
  catalogue.setRecords({{u"Α"_s}});
  const QByteArray before = catalogue.bytes();
  const QString pdf = dir.filePath(u"labels.pdf"_s);
  const QList<std::pair<QStringList, QString>> mistakes = {
      {{u"--sheet"_s, u"L9999"_s}, u"άγνωστο φύλλο «L9999»"_s},
      {{u"--sheet"_s, u"L7160"_s, u"--start"_s, u"8,1"_s}, u"το --start θέλει ΣΕΙΡΑ,ΣΤΗΛΗ"_s},
      {{u"--sheet"_s, u"L7160"_s, u"--from"_s, u"5"_s, u"--to"_s, u"2"_s}, u"το --to (2) είναι πριν"_s},
      {{u"--sheet"_s, u"L7160"_s, u"--offset"_s, u"1"_s}, u"το --offset θέλει"_s},
      {{u"--sheet"_s, u"L7160"_s, u"--format"_s, u"csv"_s}, u"«--format» δεν ταιριάζει"_s},
  };
  for (const auto& [options, said] : mistakes) {
    const ToolRun run = tool(QStringList{u"labels"_s} + options + QStringList{catalogue.path(), pdf});
    EXPECT_EQ(run.status, 1) << options.join(u' ').toStdString();
    EXPECT_TRUE(run.err.contains(said)) << run.err.toStdString();
  }
  EXPECT_FALSE(QFile::exists(pdf));
  const ToolRun over = tool({u"labels"_s, u"--sheet"_s, u"L7160"_s, catalogue.path(), catalogue.path()});
  EXPECT_EQ(over.status, 1);
  EXPECT_EQ(catalogue.bytes(), before);
  const ToolRun none = tool({u"labels"_s, u"--sheet"_s, u"L7160"_s, u"--from"_s, u"2"_s, catalogue.path(), pdf});
  EXPECT_EQ(none.status, 1);
  EXPECT_FALSE(QFile::exists(pdf));
}
