#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

// The field boxes never hold a character that the catalogue's code page
// cannot store: typing or pasting one is refused, as the box limit refuses a
// character too many.
class Cp1253Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

// What the record window asks of any of its six field boxes.
class FieldBox {
 public:
  virtual ~FieldBox() = default;
  virtual QString fieldText() const = 0;
  virtual void setFieldText(const QString& text) = 0;
  virtual QWidget& widget() = 0;
};

// A one-line field box of `maxLength` characters. Like the title box, it
// types no letter pressed with Alt: such keys belong to the window's commands.
class FieldLineEdit : public QLineEdit, public FieldBox {
 public:
  FieldLineEdit(int maxLength, QWidget* parent);
  QString fieldText() const override { return text(); }
  void setFieldText(const QString& text) override { setText(text); }
  QWidget& widget() override { return *this; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The title box: several lines that wrap, at most `maxLength` characters as
// stored. A line break is stored as carriage return and line feed, two
// characters, as the catalogue has always held it.
class TitleBox : public QPlainTextEdit, public FieldBox {
 public:
  TitleBox(int maxLength, QWidget* parent);
  QString text() const;
  void setText(const QString& text);
  QString fieldText() const override { return text(); }
  void setFieldText(const QString& text) override { setText(text); }
  QWidget& widget() override { return *this; }
  int maxLength() const { return m_maxLength; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // How much of `insertion` fits in place of the selection: all of it, a
  // leading part, or nothing when it holds a character the file cannot store.
  QString fitting(const QString& insertion) const;
  // The text as the box holds it, every line break as one line feed.
  QString shownText() const;

  int m_maxLength;
  // The text last set and how the box showed it.
  QString m_stored;
  QString m_shown;
};
