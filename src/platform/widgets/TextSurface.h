#pragma once

#include <QList>
#include <QString>
#include <QWidget>

// A drawing surface that keeps what was drawn as runs of text, so a covered
// page repaints itself and tests can read the page without pixels. Columns
// are measured in the average character width of the surface's font,
// column 1 being the left edge.
class TextSurface : public QWidget {
  Q_OBJECT
 public:
  struct Run {
    int line = 0;  // 0-based text line
    int x = 0;     // pixels from the left edge
    QString text;
  };

  explicit TextSurface(QWidget* parent = nullptr);

  // Everything drawn disappears; the position returns to the top-left corner.
  void clear();
  void setCurrentX(int pixels);
  // Moves to text column n (1-based).
  void tab(int column);
  // Draws the text and stays on the line.
  void print(const QString& text);
  // Moves one line down, to the left edge.
  void endLine();

  const QList<Run>& runs() const { return m_runs; }
  // The text of line `line` as a fixed grid: each run placed at the column
  // its x falls on (for tests and diagnostics).
  QString lineText(int line) const;
  // Every line drawn, blanks at their ends dropped: what a screen reader reads.
  QString text() const;
  int lineHeight() const;
  int columnWidth() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void textChanged();

  QList<Run> m_runs;
  int m_line = 0;
  int m_x = 0;
  bool m_owed = false;  // the last run's width is not yet added to m_x
};
