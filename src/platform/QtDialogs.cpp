#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
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

Dialogs::SaveChoice QtDialogs::saveFile(const QString& title, const QString& suggested, const QStringList& filters) {
  QString chosenFilter = filters.value(0);
  const QString path = QFileDialog::getSaveFileName(owner(), title, suggested, filters.join(u";;"_s), &chosenFilter);
  if (path.isEmpty()) return {};
  return {path, int(filters.indexOf(chosenFilter))};
}

namespace {

// Shown only when the work takes long enough to notice; the bar in thousandths.
class QtProgress : public Dialogs::Progress {
 public:
  QtProgress(const QString& text, const QString& title) : m_box(displayed(text), u"Άκυρο"_s, 0, 1000, owner()) {
    m_box.setWindowTitle(title);
    m_box.setWindowModality(Qt::ApplicationModal);
    m_box.setMinimumDuration(500);
    m_box.setAutoClose(false);
    m_box.setAutoReset(false);
    m_box.setValue(0);
  }
  bool advance(qint64 done, qint64 total) override {
    m_box.setValue(total > 0 ? int(done * 1000 / total) : 1000);
    return !m_box.wasCanceled();
  }

 private:
  QProgressDialog m_box;
};

}  // namespace

std::unique_ptr<Dialogs::Progress> QtDialogs::progress(const QString& text, const QString& title) {
  return std::make_unique<QtProgress>(text, title);
}

void QtDialogs::beep() { QApplication::beep(); }
