// Takes the README's screenshots: the record window, the page window after a
// search, the key-help window and the About box, each grabbed from a real
// window on the sample catalogue.
// usage: lomira-screenshots CATALOGUE_DIR OUTPUT_DIR
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QTest>
#include <cstdio>
#include <deque>

#include "app/Application.h"
#include "help/frmAbout.h"
#include "help/frmHelp.h"
#include "page_window/frmMulti.h"
#include "platform/system/SystemPlatform.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

// Answers the boxes of the walk-through from a fixed list.
class ListedDialogs : public Dialogs {
 public:
  std::deque<Answer> answers;
  std::deque<QString> inputs;
  Answer message(const QString&, const QString&, Buttons, Icon, Answer defaultButton) override {
    if (answers.empty()) return defaultButton;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  QString input(const QString&, const QString&) override {
    if (inputs.empty()) return {};
    QString t = inputs.front();
    inputs.pop_front();
    return t;
  }
  SaveChoice saveFile(const QString&, const QString&, const QStringList&, const SaveOption&) override { return {}; }
  void beep() override {}
};

class DroppingSink : public PrintSink {
 public:
  void send(const PrintJob&) override {}
};

bool save(QWidget* window, const QString& path) {
  QApplication::processEvents();
  QTest::qWait(200);
  const bool ok = window->grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
  return ok;
}

void trigger(QWidget& window, const QString& name) {
  if (QAction* a = window.findChild<QAction*>(name)) a->trigger();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setWindowIcon(QIcon(u":/lomira.png"_s));
  const QStringList args = qapp.arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: lomira-screenshots CATALOGUE_DIR OUTPUT_DIR\n");
    return 2;
  }
  const QString out = QDir(args[2]).absolutePath();
  QDir().mkpath(out);
  QDir::setCurrent(args[1]);

  SystemPlatform system(Edition::librarian().productTitle());
  ListedDialogs dialogs;
  DroppingSink sink;
  PrintDocument printer(sink);
  Platform base = system.platform();
  Platform platform{dialogs, printer, base.clock, base.help, base.registry, base.launcher, base.files, base.settings};
  Application app(platform, Edition::librarian());
  if (!app.start()) return 1;

  bool ok = true;
  for (int i = 0; i < 3; ++i) trigger(app.recordWindow(), u"mnuNext"_s);
  ok &= save(&app.recordWindow(), out + u"/record-window.png"_s);

  trigger(app.recordWindow(), u"mnuMulti"_s);
  dialogs.inputs.push_back(u"Εστία"_s);
  dialogs.answers.push_back(Dialogs::Answer::Cancel);  // keep the first full page on the window
  trigger(app.pageWindow(), u"mnuAlloi"_s);
  ok &= save(&app.pageWindow(), out + u"/page-window.png"_s);
  trigger(app.pageWindow(), u"mnuTelos"_s);

  app.showKeyHelp();
  ok &= save(app.keyHelp(), out + u"/key-help.png"_s);
  app.showAbout();
  ok &= save(app.about(), out + u"/about.png"_s);

  app.endProgram();
  return ok ? 0 : 1;
}
