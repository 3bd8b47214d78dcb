// Every text either program shows is Greek, Qt's own included: the windows
// with their menus, the text boxes' and scroll bars' context menus, the key
// help, the About box, the help viewer, the message and input boxes, the save
// dialog with its own menus and its overwrite question, and the progress box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <functional>

#include "app/Application.h"
#include "catalogue_tool/CatalogueTool.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "locale/GreekQtTexts.h"
#include "page_window/frmMulti.h"
#include "platform/system/HelpViewer.h"
#include "platform/system/QtDialogs.h"
#include "record_window/frmZelkor.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

// The Latin texts that are the programs' own, as the windows are laid out.
const QStringList kOwnLatinTexts{u"OK"_s, u"System Info..."_s};

bool greek(QChar c) {
  return (c.unicode() >= 0x0370 && c.unicode() <= 0x03FF) || (c.unicode() >= 0x1F00 && c.unicode() <= 0x1FFF);
}
bool latin(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Collects every text a user can see or a screen reader reads, and keeps
// those that are neither Greek nor the programs' own.
class Reader {
 public:
  QStringList foreign;
  QStringList seen;

  void text(const QString& where, QString text) {
    text = text.section(u'\t', 0, 0).remove(u'&').trimmed();  // a menu item's key name is not text
    if (text.isEmpty()) return;
    seen.append(text);
    if (std::any_of(text.begin(), text.end(), greek) || std::none_of(text.begin(), text.end(), latin)) return;
    const QString entry = where + u": "_s + text;
    if (!kOwnLatinTexts.contains(text) && !foreign.contains(entry)) foreign.append(entry);
  }

  void actions(const QString& where, const QList<QAction*>& items) {
    for (QAction* a : items) {
      text(where, a->text());
      text(where, a->toolTip());
      if (a->menu()) actions(where, a->menu()->actions());
    }
  }

  // A window and everything in it, with the context menus a right click opens.
  void window(QWidget* window) {
    const QString name =
        window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className()) : window->objectName();
    text(name, window->windowTitle());
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
      const QString where = name + u'/' + w->objectName();
      text(where, w->toolTip());
      text(where, w->accessibleName());
      if (auto* button = qobject_cast<QAbstractButton*>(w)) text(where, button->text());
      if (auto* label = qobject_cast<QLabel*>(w)) text(where, label->text());
      if (auto* menu = qobject_cast<QMenu*>(w)) text(where, menu->title());
      actions(where, w->actions());
      if (auto* combo = qobject_cast<QComboBox*>(w))
        for (int i = 0; i < combo->count(); ++i)
          if (!QFileInfo::exists(combo->itemText(i))) text(where, combo->itemText(i));
      if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model())
        for (int column = 0; column < view->model()->columnCount(); ++column)
          text(where, view->model()->headerData(column, Qt::Horizontal).toString());
      if (qobject_cast<QLineEdit*>(w) || qobject_cast<QScrollBar*>(w)) contextMenu(where, w);
      if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) contextMenu(where, area->viewport());
    }
    for (auto* model : window->findChildren<QFileSystemModel*>()) text(name, model->myComputer().toString());
  }

  // Right-clicks `target` and reads the menu that opens, whether it opens
  // and returns at once or runs until closed.
  void contextMenu(const QString& where, QWidget* target) {
    const auto readOpenMenu = [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      actions(where + u" menu"_s, menu->actions());
      menu->close();
    };
    QTimer whileOpen;
    whileOpen.setSingleShot(true);
    QObject::connect(&whileOpen, &QTimer::timeout, readOpenMenu);
    whileOpen.start(0);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(target, &click);
    whileOpen.stop();
    readOpenMenu();
  }
};

// Runs `reply` on the modal box that `open` shows, as soon as it shows.
void whenBoxOpens(const std::function<void(QWidget*)>& reply, const std::function<void()>& open) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible()) return;
    poll.stop();
    reply(box);
  });
  poll.start(10);
  open();
  poll.stop();
}

class GreekTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    // A test before this one that ended the program left Qt's quit flag set,
    // which would end every menu's and box's own loop at once; one empty
    // run of the application's loop clears it.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    ASSERT_TRUE(installGreekQtTexts(*qApp));
  }
  void TearDown() override {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
  void expectAllGreek() {
    EXPECT_TRUE(reader.foreign.isEmpty()) << reader.foreign.join(u"\n"_s).toStdString();
    EXPECT_GT(reader.seen.size(), 10);
  }

  TempCatalogue cat;
  Reader reader;
};

TEST_F(GreekTexts, EveryWindowOfBothProgramsWithItsMenus) {
  cat.setRecords({{u"Καζαντζάκης"_s, {}, u"Ο Καπετάν Μιχάλης"_s, {}, {}, {}}});
  for (const Edition& edition : {Edition::librarian(), Edition::students()}) {
    TestPlatform tp;
    Application app(tp.platform(), edition);
    ASSERT_TRUE(app.start());
    reader.window(&app.recordWindow());
    app.showKeyHelp();
    app.showAbout();
    reader.window(app.keyHelp());
    reader.window(app.about());
    app.recordWindow().findChild<QAction*>(u"mnuMulti"_s)->trigger();
    reader.window(&app.pageWindow());
  }
  HelpViewerEngine help({QStringLiteral(LOMIRA_SOURCE_DIR "/data")});
  help.showHelp(u"ZELKOR.HLP"_s, HelpEngine::kContents);
  ASSERT_NE(help.window(), nullptr);
  reader.window(help.window());
  expectAllGreek();
  for (const char* qtText : {"Αναίρεση", "Αποκοπή", "Αντιγραφή", "Επικόλληση", "Επιλογή όλων", "Κύλιση εδώ"})
    EXPECT_TRUE(reader.seen.contains(QString::fromUtf8(qtText))) << qtText;
}

TEST_F(GreekTexts, MessageAndInputBoxes) {
  QtDialogs dialogs;
  whenBoxOpens(
      [&](QWidget* box) {
        reader.window(box);
        box->close();
      },
      [&] {
        dialogs.message(u"Να τυπωθεί;"_s, u"Σ-Zelkor 3.2"_s, Dialogs::Buttons::YesNoCancel, Dialogs::Icon::Question,
                        Dialogs::Answer::Yes);
      });
  whenBoxOpens(
      [&](QWidget* box) {
        reader.window(box);
        static_cast<QDialog*>(box)->reject();
      },
      [&] { dialogs.input(u"Βρες Κωδικό Εγγραφής:"_s, u"Σ-Zelkor 3.2"_s); });
  expectAllGreek();
}

TEST_F(GreekTexts, SaveDialogItsOverwriteQuestionAndTheProgressBox) {
  QFile existing(QDir(cat.dir()).filePath(u"Zelkor.csv"_s));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  QtDialogs dialogs;
  bool asked = false;
  whenBoxOpens(
      [&](QWidget* box) {
        auto* dialog = qobject_cast<QFileDialog*>(box);
        ASSERT_NE(dialog, nullptr);
        reader.window(dialog);
        // Choosing a file that exists asks whether to replace it; No keeps the dialog.
        whenBoxOpens(
            [&](QWidget* question) {
              asked = true;
              reader.window(question);
              question->close();
            },
            [&] {
              dialog->selectFile(existing.fileName());
              static_cast<QDialog*>(dialog)->accept();
            });
        dialog->reject();
      },
      [&] { dialogs.saveFile(u"Εξαγωγή καταλόγου"_s, existing.fileName(), {u"Πίνακας CSV (*.csv)"_s}); });
  EXPECT_TRUE(asked);

  const auto progress = dialogs.progress(u"Εξαγωγή του καταλόγου…"_s, u"Σ-Zelkor 3.2"_s);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QProgressDialog*>(w)) reader.window(box);
  expectAllGreek();
  for (const char* qtText : {"Αναζήτηση σε:", "Όνομα αρχείου:", "Αρχεία τύπου:", "Αποθήκευση", "Άκυρο", "Όνομα"})
    EXPECT_TRUE(reader.seen.contains(QString::fromUtf8(qtText))) << qtText;
}

TEST_F(GreekTexts, TheImportsOpenAndColumnDialogsAndTheSaveDialogsCheckBox) {
  QtDialogs dialogs;
  const auto readAndClose = [&](QWidget* box) {
    reader.window(box);
    static_cast<QDialog*>(box)->reject();
  };
  whenBoxOpens(readAndClose, [&] {
    dialogs.openFile(u"Εισαγωγή καταλόγου"_s, cat.dir(), {u"Καταλόγοι και πίνακες (*.csv *.xlsx)"_s});
  });
  whenBoxOpens(readAndClose, [&] {
    dialogs.saveFile(u"Εξαγωγή καταλόγου"_s, QDir(cat.dir()).filePath(u"Zelkor.csv"_s), {u"Πίνακας CSV (*.csv)"_s},
                     {u"Χωρίς τα ονόματα των δανειζόμενων"_s, true});
  });
  Dialogs::ColumnsQuestion question;
  question.file = u"βιβλία.csv"_s;
  question.seen = u"CSV, Windows-1253, «;»"_s;
  question.firstRow = {u"Τίτλος"_s, u"Συγγραφέας"_s};
  question.rows = {{u"Επιτάφιος"_s, u"Ρίτσος"_s}};
  question.columnsOfField = {{1}, {}, {0}, {}, {}, {}};
  whenBoxOpens(readAndClose, [&] { dialogs.chooseColumns(question, u"Σ-Zelkor 3.2: Εισαγωγή καταλόγου"_s); });
  expectAllGreek();
  for (const char* text : {"Άνοιγμα", "Χωρίς τα ονόματα των δανειζόμενων", "Η πρώτη σειρά είναι επικεφαλίδα",
                           "Στήλη 1: Τίτλος, Επιτάφιος", "Εισαγωγή"})
    EXPECT_TRUE(reader.seen.contains(QString::fromUtf8(text))) << text;
}

// The catalogue tool reports a mistake in its options in Greek, Qt's part of
// the report too.
TEST_F(GreekTexts, CatalogueToolOptionErrors) {
  QString said;
  QTextStream out(&said);
  QTextStream err(&said);
  runCatalogueTool({u"lomira-catalogue"_s, u"export"_s, u"--format"_s}, out, err);
  err.flush();
  EXPECT_TRUE(said.contains(u"Λείπει η τιμή μετά το '--format'."_s)) << said.toStdString();
}

}  // namespace
