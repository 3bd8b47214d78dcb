// Times what the XML readers add to count their pieces for a wrongly
// encoded byte's place (XmlFeed) against Qt's own reading of the same
// pieces, in the same run, on a generated sheet of Greek text:
//   lomira_bench_xml_feed [ROWS] [REPEATS]
#include <QCoreApplication>
#include <QXmlStreamReader>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "transfer/XmlProblem.h"

namespace {

constexpr qsizetype kPiece = 64 * 1024;  // as the readers feed Qt

QByteArray sheetOf(int rows) {
  QByteArray xml = R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
  for (int r = 1; r <= rows; ++r)
    xml += R"(<row r=")" + QByteArray::number(r) + R"("><c t="inlineStr"><is><t>)" +
           QStringLiteral("Βιβλίο αριθμός %1, Παπαδιαμάντης").arg(r).toUtf8() + "</t></is></c></row>";
  return xml + "</sheetData></worksheet>";
}

double medianOf(int repeats, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200000;
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const QByteArray sheet = sheetOf(rows);
  qint64 tokens = 0;
  const double parse = medianOf(repeats, [&] {
    QXmlStreamReader xml;
    tokens = 0;
    for (qsizetype at = 0; at < sheet.size(); at += kPiece) {
      xml.addData(sheet.mid(at, kPiece));
      while (!xml.atEnd() && xml.readNext() != QXmlStreamReader::Invalid) ++tokens;
    }
  });
  const double fed = medianOf(repeats, [&] {
    XmlFeed feed;
    for (qsizetype at = 0; at < sheet.size(); at += kPiece) feed.add(sheet.mid(at, kPiece));
  });
  std::printf("sheet of %d rows, %lld bytes, %lld tokens; median of %d runs\n", rows, qlonglong(sheet.size()),
              qlonglong(tokens), repeats);
  std::printf("%-40s %9.4f s\n", "Qt reads the pieces", parse);
  std::printf("%-40s %9.4f s   x%6.3f Qt\n", "the feed counts the same pieces", fed, fed / parse);
  const bool met = fed / parse <= 0.1;
  std::printf("goal %-60s %s (x%.3f)\n", "the feed within a tenth of Qt's reading", met ? "MET" : "MISSED",
              fed / parse);
  return 0;
}
