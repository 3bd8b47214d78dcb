// The text surface keeps what was drawn as runs and paints from them.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>

#include "platform/widgets/TextSurface.h"

using namespace Qt::StringLiterals;

namespace {

TEST(TextSurfaceTest, KeepsRunsAtColumnsAndLines) {
  TextSurface s;
  s.setFont(QFont(u"DejaVu Sans Mono"_s, 9));
  const int col = s.columnWidth();
  const int advance = QFontMetrics(s.font()).horizontalAdvance(u"Αλφα"_s);

  s.setCurrentX(2);
  s.print(u"Αλφα"_s);
  s.print(u"Βήτα"_s);
  s.tab(31);
  s.print(u"Γάμμα"_s);
  s.endLine();
  s.print(u"Δέλτα"_s);
  s.tab(3);
  s.print(u"Ε"_s);

  ASSERT_EQ(s.runs().size(), 5);
  EXPECT_EQ(s.runs()[0].x, 2);
  EXPECT_EQ(s.runs()[1].x, 2 + advance) << "printing stays on the line after the text";
  EXPECT_EQ(s.runs()[2].x, 30 * col) << "column 1 is the left edge";
  EXPECT_EQ(s.runs()[3].line, 1);
  EXPECT_EQ(s.runs()[3].x, 0) << "a new line starts at the left edge";
  EXPECT_EQ(s.lineText(0), u"ΑλφαΒήτα"_s + QString(22, u' ') + u"Γάμμα"_s);
  EXPECT_EQ(s.lineText(1), u"ΔέΕτα"_s) << "a column left of the position draws over the text there";
  EXPECT_EQ(s.lineText(2), QString());

  s.clear();
  EXPECT_TRUE(s.runs().isEmpty());
  s.print(u"Ζ"_s);
  EXPECT_EQ(s.runs()[0].line, 0);
  EXPECT_EQ(s.runs()[0].x, 0);
}

TEST(TextSurfaceTest, PaintsFromItsModelSoARepaintRedrawsThePage) {
  TextSurface s;
  s.resize(200, 60);
  s.print(u"ΑΒΓΔΕ ΖΗΘ"_s);
  const auto inked = [&s] {
    const QImage image = s.grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    int count = 0;
    for (int y = 0; y < s.lineHeight(); ++y)
      for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != background;
    return count;
  };
  const int first = inked();
  EXPECT_GT(first, 0);
  EXPECT_EQ(inked(), first) << "painting again draws the same page";
  s.clear();
  EXPECT_EQ(inked(), 0);
}

}  // namespace
