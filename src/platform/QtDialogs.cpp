#include "platform/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

struct ButtonText {
  Dialogs::Answer answer;
  QMessageBox::StandardButton standard;
  QString text;
};

QList<ButtonText> buttonsOf(Dialogs::Buttons buttons) {
  const ButtonText ok{Dialogs::Answer::Ok, QMessageBox::Ok, u"OK"_s};
  const ButtonText yes{Dialogs::Answer::Yes, QMessageBox::Yes, u"Ναι"_s};
  const ButtonText no{Dialogs::Answer::No, QMessageBox::No, u"Όχι"_s};
  const ButtonText cancel{Dialogs::Answer::Cancel, QMessageBox::Cancel, u"Άκυρο"_s};
  switch (buttons) {
    case Dialogs::Buttons::Ok:
      return {ok};
    case Dialogs::Buttons::YesNo:
      return {yes, no};
    case Dialogs::Buttons::YesNoCancel:
      return {yes, no, cancel};
  }
  return {ok};
}

QMessageBox::Icon iconOf(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::None:
      return QMessageBox::NoIcon;
    case Dialogs::Icon::Exclamation:
      return QMessageBox::Warning;
    case Dialogs::Icon::Information:
      return QMessageBox::Information;
    case Dialogs::Icon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// The boxes belong to the window the user is working in, so they open over it.
QWidget* owner() { return QApplication::activeWindow(); }

// Our texts break lines with CR LF; a label shows the CR as a stray mark.
QString displayed(QString text) { return text.replace(u"\r\n"_s, u"\n"_s); }

}  // namespace

Dialogs::Answer QtDialogs::message(const QString& text, const QString& title, Buttons buttons, Icon icon,
                                   Answer defaultButton) {
  QPointer<QMessageBox> box = new QMessageBox(owner());
  box->setWindowTitle(title);
  // Texts carry what users typed: never read them as markup.
  box->setTextFormat(Qt::PlainText);
  box->setText(displayed(text));
  box->setIcon(iconOf(icon));

  const QList<ButtonText> table = buttonsOf(buttons);
  QList<QAbstractButton*> made;
  for (const ButtonText& b : table) {
    QPushButton* button = box->addButton(b.standard);
    button->setText(b.text);
    made.append(button);
    if (b.answer == defaultButton) box->setDefaultButton(button);
  }
  // Esc and the close control answer Cancel where there is one, else the
  // last button (the only one of an OK box, No of a Yes/No box).
  box->setEscapeButton(made.last());

  box->exec();
  if (!box) return table.last().answer;
  const qsizetype pressed = made.indexOf(box->clickedButton());
  delete box;
  return table[pressed < 0 ? table.size() - 1 : pressed].answer;
}

QString QtDialogs::input(const QString& prompt, const QString& title) {
  QPointer<QInputDialog> box = new QInputDialog(owner());
  box->setWindowTitle(title);
  box->setLabelText(prompt);
  box->setInputMode(QInputDialog::TextInput);
  box->setTextValue(QString());
  box->setOkButtonText(u"OK"_s);
  box->setCancelButtonText(u"Άκυρο"_s);

  const bool accepted = box->exec() == QDialog::Accepted;
  if (!box) return QString();
  const QString text = accepted ? box->textValue() : QString();
  delete box;
  return text;
}

void QtDialogs::beep() { QApplication::beep(); }
