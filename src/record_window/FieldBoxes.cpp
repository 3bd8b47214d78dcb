#include "record_window/FieldBoxes.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

#include "catalogue/Cp1253.h"

using namespace Qt::StringLiterals;

namespace {

const QString kStoredBreak = u"\r\n"_s;

// The length a text takes in the file, a line break counting as two.
int storedLength(const QString& text) { return int(text.size()) + int(text.count(u'\n')); }

// Alt with a letter is a command key, never typing; Ctrl+Alt is the AltGr
// key of some systems, which does type.
bool typesWithAlt(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held = event.modifiers();
  return held.testFlag(Qt::AltModifier) && !held.testFlag(Qt::ControlModifier) && !event.text().isEmpty();
}

}  // namespace

QValidator::State Cp1253Validator::validate(QString& input, int&) const {
  return cp1253::canEncode(input) ? Acceptable : Invalid;
}

FieldLineEdit::FieldLineEdit(int maxLength, QWidget* parent) : QLineEdit(parent) {
  setMaxLength(maxLength);
  setValidator(new Cp1253Validator(this));
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
  if (typesWithAlt(*event)) {
    event->ignore();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

TitleBox::TitleBox(int maxLength, QWidget* parent) : QPlainTextEdit(parent), m_maxLength(maxLength) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString TitleBox::shownText() const {
  // Block by block, so that no character is changed on the way (the plain
  // text of the document would turn a no-break space into a blank).
  QStringList lines;
  for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) lines.append(block.text());
  return lines.join(u'\n').replace(QChar::LineSeparator, u'\n');
}

QString TitleBox::text() const {
  // A title left as it was goes back byte for byte: the box would show a
  // lone carriage return or line feed as a line break of two characters.
  const QString shown = shownText();
  if (shown == m_shown) return m_stored;
  return QString(shown).replace(u'\n', kStoredBreak);
}

void TitleBox::setText(const QString& text) {
  setPlainText(QString(text).replace(kStoredBreak, u"\n"_s));
  m_stored = text;
  m_shown = shownText();
}

QString TitleBox::fitting(const QString& insertion) const {
  if (!cp1253::canEncode(insertion)) return QString();
  QString text = insertion;
  text.replace(kStoredBreak, u"\n"_s).replace(u'\r', u'\n');
  const QString selected =
      textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
  const int room = m_maxLength - storedLength(shownText()) + storedLength(selected);
  int used = 0;
  int taken = 0;
  for (; taken < text.size(); ++taken) {
    used += text[taken] == u'\n' ? 2 : 1;
    if (used > room) break;
  }
  return text.left(taken);
}

void TitleBox::keyPressEvent(QKeyEvent* event) {
  if (typesWithAlt(*event)) {
    event->ignore();
    return;
  }
  const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QString typed = lineBreak ? u"\n"_s : event->text();
  const bool inserts = lineBreak || (!typed.isEmpty() && typed.front().isPrint());
  if (inserts && !isReadOnly() && fitting(typed) != typed) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TitleBox::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty() && fitting(event->commitString()) != event->commitString())
    event->setCommitString(QString());
  QPlainTextEdit::inputMethodEvent(event);
}

bool TitleBox::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasText() && QPlainTextEdit::canInsertFromMimeData(source);
}

void TitleBox::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  const QString text = fitting(source->text());
  if (!text.isEmpty()) insertPlainText(text);
}
