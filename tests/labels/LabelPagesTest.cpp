#include <QRandomGenerator>
#include <algorithm>

#include "LabelsFixture.h"

using namespace Qt::StringLiterals;

namespace {

using pdfreadback::mmToPixels;
using pdfreadback::pixelsToMm;

constexpr qreal kWithinMm = 0.2;

// Where a thin dark line crosses the row (or column) `across` near `expected`
// (millimetres), read from the page's pixels; NaN when there is none.
qreal lineNear(const QImage& page, qreal expected, qreal across, Qt::Orientation lineRuns) {
  const int at = qRound(mmToPixels(across));
  const int from = qRound(mmToPixels(expected - 1));
  const int to = qRound(mmToPixels(expected + 1));
  qreal weight = 0;
  qreal sum = 0;
  for (int p = from; p <= to; ++p) {
    const QPoint pixel = lineRuns == Qt::Vertical ? QPoint(p, at) : QPoint(at, p);
    if (!page.valid(pixel)) continue;
    const qreal ink = 255 - qGray(page.pixel(pixel));
    if (ink < 64) continue;
    weight += ink;
    sum += ink * (p + 0.5);
  }
  return weight > 0 ? pixelsToMm(sum / weight) : qQNaN();
}

// Every edge of every label of the calibration page where the layout puts
// it; an edge on the paper's own edge (a sheet without margins) leaves no line.
void expectOutlines(const QImage& page, const LabelLayout& layout) {
  ASSERT_FALSE(page.isNull());
  const QSizeF paper = layout.sheet.page;
  for (int i = 0; i < layout.sheet.perSheet(); ++i) {
    const QRectF box = layout.sheet.labelRect(i, layout.offset);
    const qreal y = box.top() + box.height() / 4;
    const qreal x = box.left() + box.width() / 4;
    const std::string where = layout.sheet.name.toStdString() + " label " + std::to_string(i);
    const auto expectLine = [&](qreal edge, qreal across, Qt::Orientation runs, qreal paperEnd) {
      if (edge < kWithinMm || edge > paperEnd - kWithinMm) return;
      EXPECT_NEAR(lineNear(page, edge, across, runs), edge, kWithinMm) << where;
    };
    expectLine(box.left(), y, Qt::Vertical, paper.width());
    expectLine(box.right(), y, Qt::Vertical, paper.width());
    expectLine(box.top(), x, Qt::Horizontal, paper.height());
    expectLine(box.bottom(), x, Qt::Horizontal, paper.height());
  }
}

}  // namespace

TEST_F(LabelsTest, EverySheetsGridPrintsWhereItsMeasurementsPutIt) {
  for (const LabelSheet& sheet : labelSheets()) {
    EXPECT_TRUE(sheet.problem().isEmpty()) << sheet.name.toStdString();
    const LabelLayout layout{sheet, 0, {}};
    const QString pdf = print(calibrationJob(layout));
    expectOutlines(pdfreadback::page(pdf, 1), layout);
  }
  // The makers' figures for two of them, written out.
  EXPECT_EQ(preset("L7160").labelRect(20), QRectF(7.25 + 2 * 66.0, 15.15 + 6 * 38.1, 63.5, 38.1));
  EXPECT_EQ(preset("3474").labelRect(23), QRectF(140, 0.5 + 7 * 37, 70, 37));
}

TEST_F(LabelsTest, TheOffsetMovesTheWholeGridExactly) {
  const LabelLayout layout{preset("L7651"), 0, {1.5, -0.8}};
  expectOutlines(pdfreadback::page(print(calibrationJob(layout)), 1), layout);
}

// Each label's digits sit centred under its bars; the start position and the
// offset move them by exactly the measurements asked.
TEST_F(LabelsTest, LabelsStartAtTheFirstFreeLabelAndFollowTheOffset) {
  const LabelSheet sheet = preset("L7160");
  QList<qint32> codes;
  for (qint32 code = 120; code <= 180; ++code) codes.append(code);
  const LabelLayout layout{sheet, startIndex(sheet, 2, 1), {2.0, 1.0}};
  const DrawingJob job = labelPagesJob(layout, codesOnly(codes));
  EXPECT_EQ(job.pages, 4);  // 18 on the first sheet, 21 on the second and third, 1 on the fourth
  const QList<pdfreadback::Word> words = pdfreadback::words(print(job));
  ASSERT_EQ(words.size(), codes.size());
  for (qsizetype i = 0; i < codes.size(); ++i) {
    const pdfreadback::Word& word = words[i];
    EXPECT_EQ(word.text, QString::number(codes[i]));
    const int slot = int(i + 3);  // the first three labels of the first sheet were used
    EXPECT_EQ(word.page, slot / 21 + 1) << codes[i];
    const QRectF box = sheet.labelRect(slot % 21).translated(2.0, 1.0);
    EXPECT_NEAR(word.mm.center().x(), box.center().x(), kWithinMm) << codes[i];
    EXPECT_TRUE(box.contains(word.mm)) << codes[i];
  }
}

// An independent decoder reads back every code printed, from the narrowest
// labels, for codes from 1 to 1,000,000.
TEST_F(LabelsTest, EveryBarcodeDecodesBackToItsCode) {
  QList<qint32> codes = {1, 9, 10, 99, 100, 999, 1000, 9999, 10000, 99999, 100000, 999999, 1000000};
  QRandomGenerator random(20261208);
  while (codes.size() < 65) codes.append(random.bounded(1, 1000001));
  for (const char* name : {"L7651", "3474"}) {
    const LabelLayout layout{preset(name), 0, {}};
    const QList<qint32> onFirstSheet = codes.mid(0, layout.sheet.perSheet());
    QList<LabelText> labels;  // every line of the label filled
    for (qint32 code : onFirstSheet)
      labels.append(LabelText{code, {u"823.914"_s, u"ΨΥΧ"_s}, u"Η Παναγιά η Γοργόνα"_s, u"2ο Γυμνάσιο"_s});
    const QString pdf = print(labelPagesJob(layout, labels));
    QStringList decoded = pdfreadback::barcodes(pdf, 1);
    QStringList expected;
    for (qint32 code : onFirstSheet) expected.append(QString::number(code));
    std::sort(decoded.begin(), decoded.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(decoded, expected) << name;
  }
}

TEST_F(LabelsTest, ACustomSheetThatLeavesThePageIsRefused) {
  LabelSheet sheet = preset("L7160");
  sheet.name.clear();
  EXPECT_TRUE(sheet.problem().isEmpty());
  sheet.gapX = 7;  // seven millimetres between the columns push the third past the page's edge
  EXPECT_FALSE(sheet.problem().isEmpty());
  sheet = preset("L7160");
  sheet.columns = 0;
  EXPECT_FALSE(sheet.problem().isEmpty());
  EXPECT_EQ(startIndex(preset("L7160"), 7, 3), 20);
  EXPECT_EQ(startIndex(preset("L7160"), 8, 1), -1);
  EXPECT_EQ(startIndex(preset("L7160"), 1, 4), -1);
}
