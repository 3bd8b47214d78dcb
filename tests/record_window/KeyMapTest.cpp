#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;

namespace {

enum class Effect { Nothing, Next, Previous, New, Save, Print, PageWindow, End, KeyHelp, HelpFile, Search };

struct KeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  Effect effect;
  QString prompt = QString();  // of the search's input box
};

const QString kCode = u"Βρες Κωδικό Εγγραφής:"_s;
const QString kAuthor = u"Βρες Συγγραφέα ή Επιμελητή:"_s;
const QString kOther = u"Βρες Μεταφραστή ή Διασκευαστή ή Εικονογράφο ή Συντάκτη Προλόγου/Εισαγωγής:"_s;
const QString kTitle = u"Βρες Κείμενο σε Τίτλο:"_s;
const QString kPublication = u"Βρες Εκδοτικό Στοιχείο:"_s;
const QString kNumber = u"Βρες Βιβλιάριθμο ή Θέμα:"_s;
const QString kBorrower = u"Βρες Δανειζόμενο:"_s;

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

// Greek capitals as the Greek layout reports them.
constexpr int kEta = 0x397, kPi = 0x3A0, kOmega = 0x3A9, kSigma = 0x3A3, kLambda = 0x39B, kTau = 0x3A4,
              kOmicron = 0x39F, kRho = 0x3A1, kZeta = 0x396, kNu = 0x39D, kKappa = 0x39A, kChi = 0x3A7;

const KeyCase kLibrarianKeys[] = {
    {"PgDn", Qt::Key_PageDown, kNone, Effect::Next},
    {"Shift+PgDn", Qt::Key_PageDown, Qt::ShiftModifier, Effect::Next},
    {"Ctrl+PgDn", Qt::Key_PageDown, kCtrl, Effect::Next},
    {"PgUp", Qt::Key_PageUp, kNone, Effect::Previous},
    {"Alt+H", Qt::Key_H, kAlt, Effect::Next},
    {"Alt+Η", kEta, kAlt, Effect::Next},
    {"Alt+P", Qt::Key_P, kAlt, Effect::Previous},
    {"Alt+Π", kPi, kAlt, Effect::Previous},
    {"Alt+V", Qt::Key_V, kAlt, Effect::Search, kCode},
    {"Alt+Ω", kOmega, kAlt, Effect::Search, kCode},
    {"Alt+S", Qt::Key_S, kAlt, Effect::Search, kAuthor},
    {"Alt+Σ", kSigma, kAlt, Effect::Search, kAuthor},
    {"Alt+L", Qt::Key_L, kAlt, Effect::Search, kOther},
    {"Alt+Λ", kLambda, kAlt, Effect::Search, kOther},
    {"Alt+T", Qt::Key_T, kAlt, Effect::Search, kTitle},
    {"Alt+Τ", kTau, kAlt, Effect::Search, kTitle},
    {"Alt+O", Qt::Key_O, kAlt, Effect::Search, kPublication},
    {"Alt+Ο", kOmicron, kAlt, Effect::Search, kPublication},
    {"Alt+R", Qt::Key_R, kAlt, Effect::Search, kNumber},
    {"Alt+Ρ", kRho, kAlt, Effect::Search, kNumber},
    {"Alt+Z", Qt::Key_Z, kAlt, Effect::Search, kBorrower},
    {"Alt+Ζ", kZeta, kAlt, Effect::Search, kBorrower},
    {"Alt+N", Qt::Key_N, kAlt, Effect::New},
    {"Alt+Ν", kNu, kAlt, Effect::New},
    {"Alt+K", Qt::Key_K, kAlt, Effect::Save},
    {"Alt+Κ", kKappa, kAlt, Effect::Save},
    {"Enter", Qt::Key_Return, kNone, Effect::Print},
    {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, Effect::Print},
    {"Ctrl+A", Qt::Key_A, kCtrl, Effect::PageWindow},
    {"Alt+X", Qt::Key_X, kAlt, Effect::End},
    {"Alt+Χ", kChi, kAlt, Effect::End},
    {"F1", Qt::Key_F1, kNone, Effect::Next},
    {"F2", Qt::Key_F2, kNone, Effect::Previous},
    {"F3", Qt::Key_F3, kNone, Effect::Save},
    {"F4", Qt::Key_F4, kNone, Effect::Search, kCode},
    {"F5", Qt::Key_F5, kNone, Effect::Search, kAuthor},
    {"F6", Qt::Key_F6, kNone, Effect::Search, kOther},
    {"F7", Qt::Key_F7, kNone, Effect::Search, kTitle},
    {"F8", Qt::Key_F8, kNone, Effect::Search, kPublication},
    {"F9", Qt::Key_F9, kNone, Effect::Search, kNumber},
    {"F11", Qt::Key_F11, kNone, Effect::Search, kBorrower},
    {"F12", Qt::Key_F12, kNone, Effect::New},
    {"Ctrl+K", Qt::Key_K, kCtrl, Effect::KeyHelp},
    {"Ctrl+F1", Qt::Key_F1, kCtrl, Effect::HelpFile},
    // Alt alone and Ctrl alone, exactly.
    {"Alt+Shift+H", Qt::Key_H, kAlt | Qt::ShiftModifier, Effect::Nothing},
    {"Ctrl+Alt+H", Qt::Key_H, kAlt | kCtrl, Effect::Nothing},
    {"Shift+Ctrl+A", Qt::Key_A, kCtrl | Qt::ShiftModifier, Effect::Nothing},
    {"Ctrl+Alt+X", Qt::Key_X, kAlt | kCtrl, Effect::Nothing},
    {"Alt+D", Qt::Key_D, kAlt, Effect::Nothing},
};

}  // namespace

class KeyMapTest : public RecordWindowTest {
 protected:
  // Record 2 of 3 shown, the focus in the author box.
  void openAtRecordTwo(const Edition& edition) {
    window.reset();
    platform.dialogs.clearLog();
    platform.sink.jobs.clear();
    platform.help.calls.clear();
    host.calls.clear();
    catalogue.setRecords({book(u"Α"_s), book(u"Β"_s), book(u"Γ"_s)});
    open(edition);
    window->cmdNext_Click();
    ASSERT_EQ(focusName(), u"txtEpo"_s);
  }

  // Presses the key and checks that exactly its one command ran.
  void expectEffect(const KeyCase& c) {
    SCOPED_TRACE(c.name);
    const QByteArray before = catalogue.bytes();
    line("txtOno")->setText(u"αλλαγή"_s);  // written only by the commands that save
    if (c.effect == Effect::Search) platform.dialogs.type(QString());
    if (c.effect == Effect::Save) platform.dialogs.answer(Dialogs::Answer::Ok);
    press(c.key, c.modifiers);
    platform.printer.endDoc();

    const QList<QString> pageWindow{u"loadPageWindow"_s};
    const QList<QString> end{u"endProgram"_s};
    const QList<QString> keyHelp{u"showKeyHelp"_s};
    EXPECT_EQ(host.calls, c.effect == Effect::PageWindow ? pageWindow
                          : c.effect == Effect::End      ? end
                          : c.effect == Effect::KeyHelp  ? keyHelp
                                                         : QList<QString>());
    EXPECT_EQ(platform.help.calls.size(), c.effect == Effect::HelpFile ? 1 : 0);
    EXPECT_EQ(platform.sink.jobs.size(), c.effect == Effect::Print ? 1 : 0);

    const int count = c.effect == Effect::New ? 4 : 3;
    const int shown = c.effect == Effect::Next ? 3 : c.effect == Effect::Previous ? 1 : c.effect == Effect::New ? 4 : 2;
    if (c.effect != Effect::End && c.effect != Effect::PageWindow) {
      EXPECT_EQ(caption(), recordCaption(shown, count));
    }

    const auto in = inputs();
    if (c.effect == Effect::Search) {
      ASSERT_EQ(in.size(), 1);
      EXPECT_EQ(in[0].text, c.prompt);
    } else {
      EXPECT_TRUE(in.isEmpty());
    }
    // Alt keys type nothing (with Ctrl they may be the AltGr key, which types).
    if (c.effect == Effect::Nothing && !(c.modifiers & kCtrl)) {
      EXPECT_EQ(line("txtEpo")->text(), u"Β"_s);
    }
    const bool writes = c.effect == Effect::New || c.effect == Effect::Save || c.effect == Effect::End;
    EXPECT_EQ(catalogue.bytes() != before, writes);
  }
};

TEST_F(KeyMapTest, EveryKeyRunsItsOneCommandUnderBothLayouts) {
  for (const KeyCase& c : kLibrarianKeys) {
    openAtRecordTwo(Edition::librarian());
    expectEffect(c);
  }
}

TEST_F(KeyMapTest, StudentsEditionLacksTheEditingKeys) {
  const KeyCase studentsCases[] = {
      {"Alt+Z", Qt::Key_Z, kAlt, Effect::Nothing}, {"Alt+N", Qt::Key_N, kAlt, Effect::Nothing},
      {"Alt+K", Qt::Key_K, kAlt, Effect::Nothing}, {"F12", Qt::Key_F12, kNone, Effect::Nothing},
      {"F3", Qt::Key_F3, kNone, Effect::Nothing},  {"F11", Qt::Key_F11, kNone, Effect::Search, kBorrower},
      {"Alt+H", Qt::Key_H, kAlt, Effect::Next},    {"Alt+S", Qt::Key_S, kAlt, Effect::Search, kAuthor},
  };
  for (const KeyCase& c : studentsCases) {
    openAtRecordTwo(Edition::students());
    SCOPED_TRACE(c.name);
    const QString shownBefore = caption();
    if (c.effect == Effect::Search) platform.dialogs.type(QString());
    press(c.key, c.modifiers);
    if (c.effect == Effect::Nothing) {
      EXPECT_EQ(caption(), shownBefore);
      EXPECT_TRUE(platform.dialogs.log().isEmpty());
      EXPECT_EQ(catalogue.bytes().size(), 1050);
    } else if (c.effect == Effect::Search) {
      ASSERT_EQ(inputs().size(), 1);
      EXPECT_EQ(inputs()[0].text, c.prompt);
      EXPECT_TRUE(inputs()[0].title.startsWith(u"Μ-Zelkor 3.2: "_s));
    } else {
      EXPECT_TRUE(caption().endsWith(u"Εγγραφή:  3  από  3"_s));
    }
  }
}

TEST_F(KeyMapTest, EnterInTheTitleBoxQueuesTheRecordAndStillStartsANewLine) {
  catalogue.setRecords({book(u"Α"_s, u"Πρώτη"_s)});
  open();
  titleBox()->setFocus();
  titleBox()->moveCursor(QTextCursor::End);
  press(Qt::Key_Return);
  EXPECT_TRUE(platform.printer.isOpen());
  press(Qt::Key_D, kAlt);
  EXPECT_EQ(titleBox()->toPlainText(), u"Πρώτη\n"_s);
}

TEST_F(KeyMapTest, KeypadDecimalKeyTypesADateAndOnlyASeparatorKeyQueuesTheRecord) {
  catalogue.setRecords({book(u"Α"_s)});
  open();
  QLineEdit* borrower = line("txtSp");
  borrower->setFocus();
  // As X numbers the keys: the decimal key, and a keypad comma key of its own.
  const auto keypad = [&](Qt::Key key, const QString& text, quint32 scanCode) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::KeypadModifier, scanCode, 0, 0, text);
    QApplication::sendEvent(borrower, &down);
  };
  QTest::keyClicks(borrower, u"10"_s);
  keypad(Qt::Key_Period, u"."_s, 91);  // the US layout
  QTest::keyClicks(borrower, u"12"_s);
  keypad(Qt::Key_Comma, u","_s, 91);  // the Greek layout
  QTest::keyClicks(borrower, u"2026"_s);
  EXPECT_EQ(borrower->text(), u"10.12,2026"_s);
  EXPECT_FALSE(platform.printer.isOpen());

  keypad(Qt::Key_Comma, u","_s, 129);
  EXPECT_TRUE(platform.printer.isOpen());
}

TEST_F(KeyMapTest, KeysTypedIntoOtherWindowsDoNotReachTheKeyMap) {
  catalogue.setRecords({book(u"Α"_s), book(u"Β"_s)});
  open();
  QLineEdit elsewhere;
  elsewhere.show();
  QTest::keyClick(&elsewhere, Qt::Key_PageDown);
  QTest::keyClick(&elsewhere, Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(caption(), recordCaption(1, 2));
}
