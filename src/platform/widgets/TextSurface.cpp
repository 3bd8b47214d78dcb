#include "platform/widgets/TextSurface.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// A screen reader reads the surface as the lines it shows.
class TextSurfaceAccessible : public QAccessibleWidget {
 public:
  explicit TextSurfaceAccessible(TextSurface* surface) : QAccessibleWidget(surface, QAccessible::StaticText) {}
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name || kind == QAccessible::Value) return static_cast<TextSurface*>(widget())->text();
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* accessibleSurface(const QString& className, QObject* object) {
  if (className == u"TextSurface"_s && object && object->isWidgetType())
    return new TextSurfaceAccessible(static_cast<TextSurface*>(object));
  return nullptr;
}

}  // namespace

TextSurface::TextSurface(QWidget* parent) : QWidget(parent) {
  [[maybe_unused]] static const bool accessible = (QAccessible::installFactory(accessibleSurface), true);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
}

void TextSurface::textChanged() {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&event);
}

void TextSurface::clear() {
  m_runs.clear();
  m_owed = false;
  m_line = 0;
  m_x = 0;
  update();
  textChanged();
}

void TextSurface::setCurrentX(int pixels) {
  m_owed = false;
  m_x = pixels;
}

// A column left of the position draws over what is already there: the
// surface never wraps on its own.
void TextSurface::tab(int column) {
  m_owed = false;
  m_x = (column - 1) * columnWidth();
}

// Measuring a text is costly and a page rarely prints two texts in a row, so
// the width of the last run is measured only when the next text needs it.
void TextSurface::print(const QString& text) {
  if (text.isEmpty()) return;
  if (m_owed) m_x += QFontMetrics(font()).horizontalAdvance(m_runs.last().text);
  m_runs.append({m_line, m_x, text});
  m_owed = true;
  update(QRect(0, m_line * lineHeight(), width(), lineHeight()));
  textChanged();
}

void TextSurface::endLine() {
  m_owed = false;
  ++m_line;
  m_x = 0;
}

QString TextSurface::lineText(int line) const {
  const int width = columnWidth();
  QString out;
  for (const Run& run : m_runs) {
    if (run.line != line) continue;
    const int column = run.x / width;
    if (out.size() < column + run.text.size()) out = out.leftJustified(column + run.text.size());
    out.replace(column, run.text.size(), run.text);
  }
  return out;
}

QString TextSurface::text() const {
  int lines = 0;
  for (const Run& run : m_runs) lines = qMax(lines, run.line + 1);
  QStringList out;
  for (int line = 0; line < lines; ++line) {
    QString text = lineText(line);
    while (text.endsWith(u' ')) text.chop(1);
    out.append(text);
  }
  return out.join(u'\n');
}

int TextSurface::lineHeight() const { return QFontMetrics(font()).lineSpacing(); }

int TextSurface::columnWidth() const { return qMax(1, QFontMetrics(font()).averageCharWidth()); }

void TextSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::Text));
  const int height = lineHeight();
  const int ascent = QFontMetrics(font()).ascent();
  for (const Run& run : m_runs) {
    const QRect band(0, run.line * height, width(), height);
    if (band.intersects(event->rect())) painter.drawText(QPoint(run.x, run.line * height + ascent), run.text);
  }
}
