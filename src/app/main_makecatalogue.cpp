// Builds a catalogue file from a readable UTF-8 source: one book a line, six
// fields separated by tabs, lines starting with '#' left out.
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "catalogue/CatalogueFile.h"

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: lomira-make-catalogue SOURCE.tsv CATALOGUE.dat\n");
    return 2;
  }
  QFile source(args[1]);
  if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  QFile::remove(args[2]);
  CatalogueFile file;
  if (!file.open(args[2])) {
    std::fprintf(stderr, "%s\n", qPrintable(file.lastError().describe()));
    return 1;
  }
  QTextStream in(&source);
  qint32 n = 0;
  while (!in.atEnd()) {
    const QString line = in.readLine();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    const QStringList fields = line.split(u'\t');
    CatalogueRecord record = CatalogueRecord::blank();
    for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) record.setField(i, fields.value(i));
    if (!file.write(++n, record)) {
      std::fprintf(stderr, "%s\n", qPrintable(file.lastError().describe()));
      return 1;
    }
  }
  std::printf("%d records written to %s\n", n, qPrintable(args[2]));
  return 0;
}
