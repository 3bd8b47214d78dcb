#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "platform/NamedMenus.h"
#include "platform/Twips.h"
#include "record_window/FieldBoxes.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int kButtonWidth = 1455;
constexpr int kButtonHeight = 375;

struct FieldPlace {
  const char* label;
  QString caption;
  QRect labelRect;
  const char* box;
  QRect boxRect;
};

const FieldPlace kFields[CatalogueRecord::kFieldCount] = {
    {"Label1", u"ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ"_s, twipsRect(120, 240, 6615, 255), "txtEpo", twipsRect(240, 480, 6495, 360)},
    {"Label2", u"ΜΕΤΑΦΡΑΣΤΗΣ - ΔΙΑΣΚΕΥΑΣΤΗΣ - ΕΙΚΟΝΟΓΡΑΦΟΣ - ΣΥΝΤΑΚΤΗΣ ΠΡΟΛΟΓΟΥ/ΕΙΣΑΓΩΓΗΣ"_s,
     twipsRect(120, 960, 6975, 255), "txtOno", twipsRect(240, 1200, 6495, 375)},
    {"Label3", u"ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]"_s, twipsRect(120, 1680, 6615, 255), "txtTitlos",
     twipsRect(240, 1920, 6495, 615)},
    {"Label4", u"ΕΚΔΟΤΙΚΑ ΣΤΟΙΧΕΙΑ: ΤΟΠΟΣ, ΟΙΚΟΣ, ΕΤΟΣ, ΕΚΔΟΣΗ, ΣΕΛΙΔΕΣ/ΤΟΜΟΙ"_s, twipsRect(120, 2640, 6615, 255),
     "txtAlloi", twipsRect(240, 2880, 6495, 375)},
    {"Label5", u"ΒΙΒΛΙΑΡΙΘΜΟΣ και ΘΕΜΑΤΟΛΟΓΙΑ"_s, twipsRect(120, 3360, 6735, 255), "txtEkdot",
     twipsRect(240, 3600, 6495, 375)},
    {"Label6", u"Ονοματεπώνυμο Δανειζόμενου - Ημερομηνία Επιστροφής"_s, twipsRect(120, 4080, 6735, 255), "txtSp",
     twipsRect(240, 4320, 6495, 375)},
};

// A button in tab order. The students' edition hides the editing buttons
// and the borrower search button and moves some others.
struct ButtonPlace {
  const char* name;
  QString caption;
  int left, top;
  void (frmZelkor::*handler)();
  enum { Same, Moved, Hidden } students;
  int studentsLeft, studentsTop;
};

const ButtonPlace kButtons[] = {
    {"cmdNext", u"ΕΠΟΜΕΝ&Η"_s, 3600, 5520, &frmZelkor::cmdNext_Click, ButtonPlace::Moved, 6960, 1080},
    {"cmdPrevious", u"&ΠΡΟΗΓΟΎΜΕΝΗ"_s, 1920, 5520, &frmZelkor::cmdPrevious_Click, ButtonPlace::Moved, 6960, 600},
    {"cmdNew", u"&ΝΕΑ ΕΓΓΡΑΦΗ"_s, 6960, 480, &frmZelkor::cmdNew_Click, ButtonPlace::Hidden, 0, 0},
    {"cmdDelete", u"ΔΙAΓΡΑΦΗ"_s, 6960, 1680, &frmZelkor::cmdDelete_Click, ButtonPlace::Hidden, 0, 0},
    {"cmdFindcode", u"Κ&ΩΔΙΚΟΣ"_s, 240, 4920, &frmZelkor::cmdFindcode_Click, ButtonPlace::Same, 0, 0},
    {"cmdFindAuthor", u"Α&ΛΛΟ ΟΝΟΜΑ"_s, 1920, 4920, &frmZelkor::cmdFindAuthor_Click, ButtonPlace::Same, 0, 0},
    {"cmdFindTitle", u"&ΤΙΤΛΟΣ"_s, 3600, 4920, &frmZelkor::cmdFindTitle_Click, ButtonPlace::Same, 0, 0},
    {"cmdFindAlloi", u"ΕΚΔ&ΟΤΙΚΑ"_s, 5280, 4920, &frmZelkor::cmdFindAlloi_Click, ButtonPlace::Same, 0, 0},
    {"cmdExit", u"Ε Ξ Ο Δ Ο Σ"_s, 6960, 4320, &frmZelkor::cmdExit_Click, ButtonPlace::Same, 0, 0},
    {"cmdFindISBN", u"&ΣΥΓΓΡΑΦΕΑΣ"_s, 240, 5520, &frmZelkor::cmdFindISBN_Click, ButtonPlace::Moved, 1200, 5520},
    {"cmdFindEkdot", u"Α&ΡΙΘΜΟΙ - ΘΕΜΑ"_s, 5280, 5520, &frmZelkor::cmdFindEkdot_Click, ButtonPlace::Moved, 4440, 5520},
    {"cmdCorrect", u"&ΚΑΤΑΧΩΡΙΣΗ"_s, 6960, 960, &frmZelkor::cmdCorrect_Click, ButtonPlace::Hidden, 0, 0},
    {"cmdPrint", u"ΠΡΟΣ ΕΚΤΥΠΩΣΗ"_s, 6960, 2400, &frmZelkor::cmdPrint_Click, ButtonPlace::Same, 0, 0},
    {"cmdEndPrint", u"ΕΚΤΥΠΩΣΗ"_s, 6960, 2880, &frmZelkor::cmdEndPrint_Click, ButtonPlace::Same, 0, 0},
    {"cmdMulti", u"ΠΟΛΛΑΠΛΕΣ"_s, 6960, 4920, &frmZelkor::cmdMulti_Click, ButtonPlace::Moved, 6960, 5520},
    {"cmdFindNo", u"ΔΑΝΕΙ&ΖΟΜΕΝΟΣ"_s, 6960, 5520, &frmZelkor::cmdFindNo_Click, ButtonPlace::Hidden, 0, 0},
};

// The field boxes and the exit button share a bold face of the system's
// Greek-capable sans family.
QFont boxFont() {
  QFont font = QApplication::font();
  font.setBold(true);
  font.setPointSizeF(9.75);
  return font;
}

// Labels and buttons take a smaller face so that the longest captions fit.
QFont captionFont() {
  QFont font = QApplication::font();
  font.setPointSizeF(7.5);
  return font;
}

}  // namespace

void frmZelkor::buildFields(QWidget* client) {
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) {
    const FieldPlace& place = kFields[i];
    auto* label = new QLabel(place.caption, client);
    label->setObjectName(QString::fromLatin1(place.label));
    label->setGeometry(place.labelRect);
    label->setFont(captionFont());

    const int width = CatalogueRecord::kWidth[i];
    QWidget* box = nullptr;
    if (i == 2) {
      m_title = new TitleBox(width, client);
      m_title->setReadOnly(!m_session.edition().canEdit());
      if (!m_session.edition().canEdit())
        m_title->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      box = m_title;
    } else {
      auto* line = new FieldLineEdit(width, client);
      line->setReadOnly(!m_session.edition().canEdit());
      box = line;
    }
    box->setObjectName(QString::fromLatin1(place.box));
    box->setGeometry(place.boxRect);
    box->setFont(boxFont());
    m_boxes[i] = box;
  }

  // The borrower is set apart: its label in another colour, its text in red.
  auto* label6 = client->findChild<QLabel*>(u"Label6"_s);
  QPalette labelPalette = label6->palette();
  labelPalette.setColor(QPalette::WindowText, QColor(0, 0, 160));
  label6->setPalette(labelPalette);
  QPalette boxPalette = m_boxes[5]->palette();
  boxPalette.setColor(QPalette::Text, Qt::red);
  m_boxes[5]->setPalette(boxPalette);
}

void frmZelkor::buildButtons(QWidget* client) {
  QWidget* previous = m_boxes.back();
  for (int i = 0; i < CatalogueRecord::kFieldCount - 1; ++i) QWidget::setTabOrder(m_boxes[i], m_boxes[i + 1]);

  for (const ButtonPlace& place : kButtons) {
    auto* button = new QPushButton(place.caption, client);
    // The access letters are served by the key map, which knows them under
    // both keyboard layouts; the button's own shortcut would run them twice.
    button->setShortcut(QKeySequence());
    button->setObjectName(QString::fromLatin1(place.name));
    button->setFont(captionFont());
    const bool moved = m_session.edition().isStudents() && place.students == ButtonPlace::Moved;
    button->setGeometry(twipsRect(moved ? place.studentsLeft : place.left, moved ? place.studentsTop : place.top,
                                  kButtonWidth, kButtonHeight));
    if (m_session.edition().isStudents() && place.students == ButtonPlace::Hidden) button->hide();
    connect(button, &QPushButton::clicked, this, place.handler);
    QWidget::setTabOrder(previous, button);
    previous = button;
  }
  client->findChild<QPushButton*>(u"cmdExit"_s)->setFont(boxFont());

  m_picture = new QLabel(client);
  m_picture->setObjectName(u"Picture1"_s);
  m_picture->setGeometry(twipsRect(7440, 3480, 540, 540));
  m_picture->setPixmap(QIcon(u":/lomira.png"_s).pixmap(m_picture->size()));

  auto* frame = new QFrame(client);
  frame->setObjectName(u"Frame1"_s);
  frame->setFrameShape(QFrame::HLine);
  frame->setFrameShadow(QFrame::Plain);
  frame->setLineWidth(1);
  frame->setGeometry(twipsRect(0, 0, 9255, 15));
}

void frmZelkor::buildMenus() {
  QMenu* file = addNamedMenu(menuBar(), "mnuFile", u"&Αρχείο"_s);
  addNamedItem(file, "mnuMulti", u"Πολλαπλές             Ctrl+A"_s, {}, this, &frmZelkor::cmdMulti_Click);
  addNamedSeparator(file, "mnuSep4");
  addNamedItem(file, "mnuprint", u"Προς Εκτύπωση     Enter"_s, {}, this, &frmZelkor::cmdPrint_Click);
  addNamedSeparator(file, "mnusep7");
  addNamedItem(file, "mnuMenu", u"Μενού                    F10"_s);
  addNamedSeparator(file, "mnuSep1");
  addNamedItem(file, "mnuEnd", u"Έξοδος                  Alt+X"_s, {}, this, &frmZelkor::cmdExit_Click);

  QMenu* records = addNamedMenu(menuBar(), "mnuRecords", u"&Εγγραφή"_s);
  addNamedItem(records, "mnuNext", u"Επόμεν&η"_s, Qt::Key_F1, this, &frmZelkor::cmdNext_Click);
  addNamedItem(records, "mnuPrevious", u"&Προηγούμενη"_s, Qt::Key_F2, this, &frmZelkor::cmdPrevious_Click);
  QAction* newItem = addNamedItem(records, "mnuNew", u"&Νέα"_s, Qt::Key_F12, this, &frmZelkor::cmdNew_Click);
  QAction* separator = addNamedSeparator(records, "mnuSep2");
  QAction* save = addNamedItem(records, "mnuSave", u"&Καταχώριση"_s, Qt::Key_F3, this, &frmZelkor::cmdCorrect_Click);
  // A hidden item does not answer to its shortcut either.
  for (QAction* action : {newItem, separator, save}) action->setVisible(m_session.edition().canEdit());

  QMenu* search = addNamedMenu(menuBar(), "mnuSearch", u"&Διερεύνηση"_s);
  addNamedItem(search, "mnuCodeNo", u"Κ&ωδικού"_s, Qt::Key_F4, this, &frmZelkor::cmdFindcode_Click);
  addNamedItem(search, "mnuISBN", u"&Συγγραφέα"_s, Qt::Key_F5, this, &frmZelkor::cmdFindISBN_Click);
  addNamedItem(search, "mnuAuthor", u"Ά&λλου Ονόματος"_s, Qt::Key_F6, this, &frmZelkor::cmdFindAuthor_Click);
  addNamedItem(search, "mnuTitle", u"&Τίτλου"_s, Qt::Key_F7, this, &frmZelkor::cmdFindTitle_Click);
  addNamedItem(search, "mnuAlloi", u"Εκδ&οτικών"_s, Qt::Key_F8, this, &frmZelkor::cmdFindAlloi_Click);
  addNamedItem(search, "mnuEkdot", u"Α&ριθμού - Θέματος"_s, Qt::Key_F9, this, &frmZelkor::cmdFindEkdot_Click);
  addNamedItem(search, "mnuNo", u"Δανει&ζόμενου"_s, Qt::Key_F11, this, &frmZelkor::cmdFindNo_Click);

  QMenu* help = addNamedMenu(menuBar(), "mnuAbout", u"&Βοήθεια"_s);
  addNamedItem(help, "mnuhelp", u"Πλήκτρα"_s, QKeySequence(Qt::CTRL | Qt::Key_K), this, &frmZelkor::mnuhelp_Click);
  addNamedItem(help, "mnuhelp1", u"Βοήθεια"_s, QKeySequence(Qt::CTRL | Qt::Key_F1), this, &frmZelkor::mnuhelp1_Click);
  addNamedSeparator(help, "mnusep6");
  addNamedItem(help, "mnuAbout1", u"Περί ..."_s, {}, this, &frmZelkor::mnuAbout1_Click);
}
