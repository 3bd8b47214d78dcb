#include "platform/system/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>
#include <climits>

#include "platform/keys/TypeAhead.h"
#include "platform/widgets/ColumnsDialog.h"

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

  const TypeAhead typedAhead(*box);
  const bool accepted = box->exec() == QDialog::Accepted;
  if (!box) return QString();
  const QString text = accepted ? box->textValue() : QString();
  delete box;
  return text;
}

// A check box cannot be added to the system's own dialog, so a save with
// one uses Qt's dialog, the box under the file name where it is seen while
// the file is chosen.
Dialogs::SaveChoice QtDialogs::saveFile(const QString& title, const QString& suggested, const QStringList& filters,
                                        const SaveOption& option) {
  QPointer<QFileDialog> dialog = new QFileDialog(owner(), title, suggested);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilters(filters);
  dialog->selectFile(suggested);
  QCheckBox* box = nullptr;
  if (!option.label.isEmpty()) {
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    box = new QCheckBox(option.label, dialog);
    box->setObjectName(u"chkOption"_s);
    box->setChecked(option.checked);
    auto* grid = qobject_cast<QGridLayout*>(dialog->layout());
    if (grid) grid->addWidget(box, grid->rowCount(), 0, 1, grid->columnCount());
  }

  const bool accepted = dialog->exec() == QDialog::Accepted;
  if (!dialog) return {};
  SaveChoice choice;
  if (accepted && !dialog->selectedFiles().isEmpty())
    choice = {dialog->selectedFiles().constFirst(), int(filters.indexOf(dialog->selectedNameFilter())),
              box && box->isChecked()};
  delete dialog;
  return choice;
}

QString QtDialogs::openFile(const QString& title, const QString& folder, const QStringList& filters) {
  return QFileDialog::getOpenFileName(owner(), title, folder, filters.join(u";;"_s));
}

std::optional<Dialogs::ColumnChoice> QtDialogs::chooseColumns(const ColumnsQuestion& question, const QString& title) {
  QPointer<ColumnsDialog> dialog = new ColumnsDialog(question, title, owner());
  const bool accepted = dialog->exec() == QDialog::Accepted;
  if (!dialog) return std::nullopt;
  std::optional<ColumnChoice> choice;
  if (accepted) choice = dialog->choice();
  delete dialog;
  return choice;
}

namespace {

// Shown only when the work takes long enough to notice; the bar in thousandths.
class QtProgress : public Dialogs::Progress {
 public:
  QtProgress(const QString& text, const QString& title)
      : m_text(displayed(text)), m_box(m_text, u"Άκυρο"_s, 0, 1000, owner()) {
    m_box.setWindowTitle(title);
    m_box.setWindowModality(Qt::ApplicationModal);
    m_box.setMinimumDuration(500);
    m_box.setAutoClose(false);
    m_box.setAutoReset(false);
    // Wide enough for its title in full beside the frame's buttons.
    m_box.setMinimumWidth(std::max(m_box.sizeHint().width(),
                                   QFontMetrics(QApplication::font()).horizontalAdvance(title) + kTitleButtons));
    m_box.setValue(0);
  }
  // A total of 0 is not known yet: the bar then only shows that work goes on
  // (a busy bar takes any value, and a new one lets the box see Cancel);
  // a known total is counted under the text.
  bool advance(qint64 done, qint64 total) override {
    m_box.setLabelText(total > 0 ? m_text + u"\n%1 από %2"_s.arg(done).arg(total) : m_text);
    m_box.setMaximum(total > 0 ? 1000 : 0);
    m_box.setValue(int(total > 0 ? done * 1000 / total : std::min<qint64>(done, INT_MAX)));
    return !m_box.wasCanceled();
  }
  // Until the modal box shows, the user's input waits: the window under it
  // must not act while the work goes on.
  bool keepWaiting() override {
    // Closed while stopping (Escape), it stands again: the work is not done.
    if (m_stopping && !m_box.isVisible()) m_box.show();
    QCoreApplication::processEvents(m_box.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents,
                                    kWaitMilliseconds);
    return !m_box.wasCanceled();
  }
  void withoutCancel() override { m_box.setCancelButton(nullptr); }
  // Cancel hid the box; it shows again at once, its bar only busy.
  void stopping(const QString& text) override {
    m_stopping = true;
    m_box.setCancelButton(nullptr);
    m_box.setLabelText(displayed(text));
    m_box.setMaximum(0);
    m_box.show();
  }

 private:
  static constexpr int kWaitMilliseconds = 20;
  // Room for a frame's icon and its three buttons beside the title.
  static constexpr int kTitleButtons = 160;
  QString m_text;
  QProgressDialog m_box;
  bool m_stopping = false;
};

}  // namespace

std::unique_ptr<Dialogs::Progress> QtDialogs::progress(const QString& text, const QString& title) {
  return std::make_unique<QtProgress>(text, title);
}

void QtDialogs::beep() { QApplication::beep(); }
