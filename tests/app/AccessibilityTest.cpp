// What a screen reader hears, read through Qt's accessibility interface: each
// field box by its label, each button by its caption without the access
// mark, the page window's lines and the key-help lines.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "app/Application.h"
#include "help/frmHelp.h"
#include "page_window/frmMulti.h"
#include "platform/widgets/TextSurface.h"
#include "record_window/frmZelkor.h"
#include "support/TempCatalogue.h"
#include "support/TestPlatform.h"

using namespace Qt::StringLiterals;

namespace {

QString accessibleName(QWidget* widget) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
  return iface ? iface->text(QAccessible::Name) : QString();
}

// Every button of `window` is named by its caption, the access mark left out.
void expectButtonsNamedByCaption(QWidget& window) {
  const QList<QPushButton*> buttons = window.findChildren<QPushButton*>();
  ASSERT_FALSE(buttons.isEmpty());
  for (QPushButton* button : buttons)
    EXPECT_EQ(accessibleName(button), QString(button->text()).remove(u'&')) << button->objectName().toStdString();
}

class Accessibility : public ::testing::Test {
 protected:
  TempCatalogue cat;
  TestPlatform tp;
};

TEST_F(Accessibility, FieldBoxesByTheirLabelsAndButtonsByTheirCaptions) {
  const QList<std::pair<const char*, const char*>> fields{{"Label1", "txtEpo"},    {"Label2", "txtOno"},
                                                          {"Label3", "txtTitlos"}, {"Label4", "txtAlloi"},
                                                          {"Label5", "txtEkdot"},  {"Label6", "txtSp"}};
  for (const Edition& edition : {Edition::librarian(), Edition::students()}) {
    SCOPED_TRACE(edition.productTitle().toStdString());
    Application app(tp.platform(), edition);
    ASSERT_TRUE(app.start());
    frmZelkor& window = app.recordWindow();
    for (const auto& [labelName, boxName] : fields) {
      auto* label = window.findChild<QLabel*>(QString::fromLatin1(labelName));
      auto* box = window.findChild<QWidget*>(QString::fromLatin1(boxName));
      ASSERT_TRUE(label && box) << boxName;
      EXPECT_EQ(accessibleName(box), label->text()) << boxName;
      // The label is tied to its box, so a reader can go from one to the other.
      const auto labelled = QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label);
      EXPECT_TRUE(std::any_of(labelled.begin(), labelled.end(), [&](const auto& relation) {
        return relation.first->object() == label;
      })) << boxName;
    }
    expectButtonsNamedByCaption(window);
    EXPECT_EQ(accessibleName(window.findChild<QPushButton*>(u"cmdNext"_s)), u"ΕΠΟΜΕΝΗ"_s);
  }
}

TEST_F(Accessibility, PageWindowLinesAndKeyHelpLinesAreRead) {
  cat.setRecords({{u"Καζαντζάκης Νίκος"_s, {}, u"Ο Καπετάν Μιχάλης"_s, u"Αθήνα"_s, u"1001"_s, {}}});
  Application app(tp.platform(), Edition::librarian());
  ASSERT_TRUE(app.start());
  app.recordWindow().findChild<QAction*>(u"mnuMulti"_s)->trigger();
  tp.dialogs.type(u"Καζαντζάκης"_s).answer(Dialogs::Answer::No);
  app.pageWindow().findChild<QAction*>(u"mnuEpo"_s)->trigger();

  auto* surface = app.pageWindow().findChild<TextSurface*>();
  ASSERT_NE(surface, nullptr);
  const QString read = accessibleName(surface);
  EXPECT_TRUE(read.contains(u"Καζαντζάκης Νίκος"_s)) << read.toStdString();
  EXPECT_TRUE(read.contains(u"Ο Καπετάν Μιχάλης"_s)) << read.toStdString();
  EXPECT_EQ(read.split(u'\n').first(), surface->lineText(0).trimmed());

  app.showKeyHelp();
  frmHelp* help = app.keyHelp();
  ASSERT_NE(help, nullptr);
  auto* line = help->findChild<QLabel*>(u"Label3"_s);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(accessibleName(line), u"F1 ......... Επόμενη Εγγραφή"_s);
  EXPECT_EQ(accessibleName(help->findChild<QLabel*>(u"Label18"_s)), u"Δες πλήρη Κατάλογο σε Βοήθεια Προγ/τος"_s);
  expectButtonsNamedByCaption(*help);
}

}  // namespace
