#include "RecordWindowFixture.h"

using namespace Qt::StringLiterals;
using Answer = Dialogs::Answer;

namespace {

QString progressCaption(int counter, int count) {
  return u"Σ-Zelkor 3.2"_s + QString(35, u' ') + u"Διερευνώ Εγγραφή: "_s + QString::number(counter).prepend(u' ') +
         u"  από "_s + QString::number(count).prepend(u' ');
}

QString printQuestion(int n) {
  return u"Θέλετε να Εκτυπώσω την Εγγραφή "_s + QString::number(n).prepend(u' ') + u" ;"_s;
}

const QString kNoFurther = u"Δεν Υπάρχει Άλλη Όμοια Εγγραφή"_s;

struct SearchRow {
  const char* item;
  const char* box;
  int field;
  QString prompt;
  QString title;
  QString notFoundForXY;  // the not-found message for the text "ΧΨ"
};

const SearchRow kSearches[] = {
    {"mnuISBN", "txtEpo", 0, u"Βρες Συγγραφέα ή Επιμελητή:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Συγγραφέα/Επιμελητή"_s,
     u"Ο Συγγραφέας/Επιμελητής ΧΨ δεν Βρέθηκε"_s},
    {"mnuAuthor", "txtOno", 1, u"Βρες Μεταφραστή ή Διασκευαστή ή Εικονογράφο ή Συντάκτη Προλόγου/Εισαγωγής:"_s,
     u"Σ-Zelkor 3.2: Αναζήτηση Άλλου Ονόματος"_s, u"Το Όνομα ΧΨ δεν Bρέθηκε"_s},
    {"mnuTitle", "txtTitlos", 2, u"Βρες Κείμενο σε Τίτλο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Τίτλου"_s,
     u"Το Κείμενο ΧΨ δεν Βρέθηκε"_s},
    {"mnuAlloi", "txtAlloi", 3, u"Βρες Εκδοτικό Στοιχείο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Εκδοτικού Στοιχείου:"_s,
     u"Το Εκδοτικό Στοιχείο ΧΨ δεν Βρέθηκε"_s},
    {"mnuEkdot", "txtEkdot", 4, u"Βρες Βιβλιάριθμο ή Θέμα:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Αριθμού ή Θέματος"_s,
     u"Ο Βιβλιάριθμος ή το Θέμα ΧΨ δεν Βρέθηκε"_s},
    {"mnuNo", "txtSp", 5, u"Βρες Δανειζόμενο:"_s, u"Σ-Zelkor 3.2: Αναζήτηση Δανειζόμενου"_s,
     u"Ο Δανειζόμενος ΧΨ δεν Βρέθηκε"_s},
};

}  // namespace

class SearchTest : public RecordWindowTest {
 protected:
  // Five books; authors 1, 3 and 4 contain "Ρίτσος".
  void openFive() {
    catalogue.setRecords({book(u"Γιάννης Ρίτσος"_s, u"Ρωμιοσύνη"_s, u"Παπαδόπουλος 12/3"_s),
                          book(u"Οδυσσέας Ελύτης"_s, u"Το Άξιον Εστί"_s), book(u"Ρίτσος"_s, u"Η Σονάτα"_s),
                          book(u"ρίτσος, Γ."_s, u"Επιτάφιος"_s), book(u"Κάλβος"_s, u"Ωδαί"_s)});
    open();
  }
  // The current record's author as the window shows it.
  QString author() const { return line("txtEpo")->text(); }
};

TEST_F(SearchTest, EachSearchAsksWithItsOwnTextsAndReportsNotFound) {
  openFive();
  const QByteArray before = catalogue.bytes();
  for (const SearchRow& row : kSearches) {
    SCOPED_TRACE(row.item);
    platform.dialogs.clearLog();
    window->cmdNext_Click();
    line("txtEpo")->setText(u"άσωστο"_s);
    platform.dialogs.type(u"ΧΨ"_s).answer(Answer::Ok);
    item(row.item)->trigger();

    const auto& log = platform.dialogs.log();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0].text, row.prompt);
    EXPECT_EQ(log[0].title, row.title);
    EXPECT_EQ(log[1].text, row.notFoundForXY);
    EXPECT_EQ(log[1].title, u"Σ-Zelkor 3.2"_s);
    EXPECT_EQ(log[1].icon, Dialogs::Icon::Information);
    // The box saw the counter at the record count, after the pass past the end.
    EXPECT_EQ(log[1].caption, progressCaption(5, 5));
    // The record shown before is shown again, as stored.
    EXPECT_EQ(caption(), recordCaption(2, 5));
    EXPECT_EQ(author(), u"Οδυσσέας Ελύτης"_s);
    window->cmdPrevious_Click();
  }
  EXPECT_EQ(catalogue.bytes(), before);
  EXPECT_TRUE(platform.sink.jobs.isEmpty());
}

TEST_F(SearchTest, CancelledInputMovesTheFocusToTheSearchedBoxAndKeepsTyping) {
  openFive();
  for (const SearchRow& row : kSearches) {
    SCOPED_TRACE(row.item);
    line("txtEpo")->setText(u"πληκτρολογημένο"_s);
    line("txtEpo")->setFocus();
    platform.dialogs.type(QString());
    item(row.item)->trigger();
    EXPECT_EQ(focusName(), QLatin1String(row.box));
    EXPECT_EQ(author(), u"πληκτρολογημένο"_s);
    EXPECT_EQ(caption(), recordCaption(1, 5));
  }
}

TEST_F(SearchTest, ThreeMatchesAnsweredNoEndWithNoFurtherMatchFromRecordOne) {
  openFive();
  window->cmdNext_Click();
  window->cmdNext_Click();
  platform.dialogs.type(u"ίτσος"_s).answer(Answer::No).answer(Answer::No).answer(Answer::No).answer(Answer::Ok);
  button("cmdFindISBN")->click();

  const auto messages = platform.dialogs.messages();
  ASSERT_EQ(messages.size(), 4);
  EXPECT_EQ(messages[0].text, printQuestion(1));
  EXPECT_EQ(messages[0].buttons, Dialogs::Buttons::YesNoCancel);
  EXPECT_EQ(messages[0].icon, Dialogs::Icon::Question);
  EXPECT_EQ(messages[0].defaultButton, Answer::Yes);
  EXPECT_EQ(messages[0].caption, recordCaption(1, 5));
  EXPECT_EQ(messages[1].text, printQuestion(3));
  EXPECT_EQ(messages[2].text, printQuestion(4));
  EXPECT_EQ(messages[3].text, kNoFurther);
  EXPECT_EQ(messages[3].icon, Dialogs::Icon::Exclamation);
  EXPECT_EQ(messages[3].caption, progressCaption(5, 5));
  EXPECT_EQ(caption(), recordCaption(4, 5));
  EXPECT_EQ(author(), u"ρίτσος, Γ."_s);
  EXPECT_TRUE(platform.sink.jobs.isEmpty());
}

TEST_F(SearchTest, MatchAtTheLastRecordEndsAtOnceAndYesPrintsIt) {
  openFive();
  platform.dialogs.type(u"Ωδ"_s).answer(Answer::Yes).answer(Answer::Ok);
  window->cmdFindTitle_Click();
  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList({printQuestion(5), kNoFurther}));
  EXPECT_EQ(caption(), recordCaption(5, 5));
  platform.printer.endDoc();
  ASSERT_EQ(platform.sink.jobs.size(), 1);
  EXPECT_TRUE(platform.sink.jobs[0].pages[0][8].endsWith(u"Αρ. Εγγρ. =  5 "_s));
}

TEST_F(SearchTest, CancelAtThePrintQuestionKeepsTheMatchWithFocusInTheSearchedBox) {
  openFive();
  platform.dialogs.type(u"Άξιον"_s).answer(Answer::Cancel);
  window->cmdFindTitle_Click();
  EXPECT_EQ(caption(), recordCaption(2, 5));
  EXPECT_EQ(focusName(), u"txtTitlos"_s);
  EXPECT_EQ(titleBox()->toPlainText(), u"Το Άξιον Εστί"_s);
}

TEST_F(SearchTest, ComparisonIsExactOnTheFullPaddedField) {
  openFive();
  // text, the first record expected to match (0 for none)
  const QList<QPair<QString, int>> cases = {
      {u"ΡΊΤΣΟΣ"_s, 0},        // capitals differ
      {u"Ριτσος"_s, 0},        // accents differ
      {u"Ρίτσος "_s, 1},       // the filling blanks follow the last word
      {u" "_s, 1},             // nearly every field is shorter than its width
      {QString(51, u'Ρ'), 0},  // longer than the field
      {u"Ρίτσοж"_s, 0},        // a character the file cannot hold
      {u"ς, Γ"_s, 4},          // final sigma and punctuation as stored
  };
  for (const auto& [text, first] : cases) {
    SCOPED_TRACE(text.toStdString());
    platform.dialogs.clearLog();
    platform.dialogs.type(text);
    if (first)
      platform.dialogs.answer(Answer::Cancel);
    else
      platform.dialogs.answer(Answer::Ok);
    window->cmdFindISBN_Click();
    if (first) {
      EXPECT_EQ(caption(), recordCaption(first, 5));
    } else {
      EXPECT_EQ(platform.dialogs.messageTexts().value(0), u"Ο Συγγραφέας/Επιμελητής "_s + text + u" δεν Βρέθηκε"_s);
    }
  }
}

TEST_F(SearchTest, DeletedRecordIsFoundByATildeAndAnEmptyFileHoldsNoBlank) {
  catalogue.setRecords({book(u"Α"_s), {u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s, u"~~~"_s}});
  open();
  platform.dialogs.type(u"~"_s).answer(Answer::No).answer(Answer::Ok);
  window->cmdFindNo_Click();
  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList({printQuestion(2), kNoFurther}));

  catalogue.setBytes(QByteArray());
  window->unload();
  window->Form_Load();
  platform.dialogs.clearLog();
  platform.dialogs.type(u" "_s).answer(Answer::Ok);
  window->cmdFindISBN_Click();
  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList({u"Ο Συγγραφέας/Επιμελητής   δεν Βρέθηκε"_s}));
  EXPECT_EQ(platform.dialogs.messages()[0].caption, progressCaption(1, 1));
}

class CodeSearchTest : public SearchTest {
 protected:
  void TearDown() override {
    QLocale::setDefault(m_userLocale);
    SearchTest::TearDown();
  }
  QLocale m_userLocale;
  QString rangeMessage(int count) const {
    return u"Γράψτε έναν αριθμό από 1 έως "_s + QString::number(count).prepend(u' ');
  }
};

TEST_F(CodeSearchTest, UnusableAnswersAskAgainUntilAValidCode) {
  openFive();
  platform.dialogs.type(u"abc"_s).answer(Answer::Ok).type(u"0"_s).answer(Answer::Ok).type(u"-2"_s).answer(Answer::Ok);
  platform.dialogs.type(u"  3  "_s);
  line("txtSp")->setFocus();
  item("mnuCodeNo")->trigger();
  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList({rangeMessage(5), rangeMessage(5), rangeMessage(5)}));
  const auto in = inputs();
  ASSERT_EQ(in.size(), 4);
  EXPECT_EQ(in[0].text, u"Βρες Κωδικό Εγγραφής:"_s);
  EXPECT_EQ(in[0].title, u"Σ-Zelkor 3.2: Αναζήτηση Κωδικού Εγγραφής"_s);
  EXPECT_EQ(platform.dialogs.messages()[0].icon, Dialogs::Icon::Information);
  EXPECT_EQ(caption(), recordCaption(3, 5));
  EXPECT_EQ(focusName(), u"txtEpo"_s);
}

TEST_F(CodeSearchTest, AFractionRoundsWithTheUsersDecimalSeparator) {
  openFive();
  QLocale::setDefault(QLocale::c());
  platform.dialogs.type(u"2.5"_s);
  window->cmdFindcode_Click();
  EXPECT_EQ(caption(), recordCaption(2, 5));

  QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
  platform.dialogs.type(u"3,5"_s);
  window->cmdFindcode_Click();
  EXPECT_EQ(caption(), recordCaption(4, 5));
  platform.dialogs.type(u"2,5"_s);
  window->cmdFindcode_Click();
  EXPECT_EQ(caption(), recordCaption(2, 5));
}

TEST_F(CodeSearchTest, ACodeAboveTheCountIsNotFoundAsTypedAndBeyondRangeEndsSilently) {
  openFive();
  window->cmdNext_Click();
  line("txtEpo")->setText(u"άσωστο"_s);
  line("txtSp")->setFocus();
  platform.dialogs.type(u" 7 "_s).answer(Answer::Ok);
  window->cmdFindcode_Click();
  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList({u"Ο Κωδικός Εγγραφής  7  δεν Βρέθηκε"_s}));
  EXPECT_EQ(caption(), recordCaption(2, 5));
  EXPECT_EQ(author(), u"Οδυσσέας Ελύτης"_s);
  EXPECT_EQ(focusName(), u"txtSp"_s);

  // Beyond the 32-bit range, even beyond what a double holds.
  for (const QString& beyond : {u"99999999999"_s, u"1e400"_s}) {
    SCOPED_TRACE(beyond.toStdString());
    platform.dialogs.clearLog();
    line("txtEpo")->setText(u"μένει"_s);
    platform.dialogs.type(beyond);
    window->cmdFindcode_Click();
    EXPECT_TRUE(platform.dialogs.messages().isEmpty());
    EXPECT_EQ(author(), u"μένει"_s);
    EXPECT_EQ(focusName(), u"txtSp"_s);
  }
}

TEST_F(CodeSearchTest, RangeMessageNamesTheCountInSignPositionForm) {
  QList<QStringList> records;
  for (int i = 1; i <= 250; ++i) records.append(book(QString::number(i)));
  catalogue.setRecords(records);
  open();
  platform.dialogs.type(u"x"_s).answer(Answer::Ok).type(QString());
  window->cmdFindcode_Click();
  EXPECT_EQ(platform.dialogs.messageTexts(), QStringList({u"Γράψτε έναν αριθμό από 1 έως  250"_s}));
  platform.dialogs.type(u"250"_s);
  window->cmdFindcode_Click();
  EXPECT_EQ(author(), u"250"_s);
}
