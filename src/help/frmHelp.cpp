#include "help/frmHelp.h"

#include <QLabel>
#include <QPushButton>

#include "platform/widgets/Twips.h"

using namespace Qt::StringLiterals;

namespace {

struct KeyLine {
  const char* name;
  int top;
  int width;
  const char16_t* text;
  Edition::Parts studentsLack;
  int studentsTop = -1;  // -1: where the librarian's is
};

// The lines from top to bottom. The students' edition cannot save or add
// records, so it leaves out F3 and F12 and moves the Ctrl+F1 line up into the gap.
constexpr KeyLine kLines[] = {
    {"Label3", 840, 2655, u"F1 ......... Επόμενη Εγγραφή", Edition::Part::None},
    {"Label15", 1080, 2655, u"PgDwn .. Επόμενη Εγγραφή", Edition::Part::None},
    {"Label4", 1320, 3135, u"F2 ......... Προγούμενη Εγγραφή", Edition::Part::None},
    {"Label16", 1560, 3135, u"PgUp .... Προγούμενη Εγγραφή", Edition::Part::None},
    {"Label5", 1800, 3135, u"F3 ......... Καταχώριση Εγγραφής", Edition::Part::All},
    {"Label6", 2040, 2895, u"F4 ......... Αναζήτηση Κωδικού", Edition::Part::None},
    {"Label7", 2280, 3255, u"F5 ......... Αναζήτηση Συγγραφέα", Edition::Part::None},
    {"Label8", 2520, 3615, u"F6 ......... Αναζήτηση Άλλου Ονόματος", Edition::Part::None},
    {"Label9", 2760, 2775, u"F7 ......... Αναζήτηση Τίτλου", Edition::Part::None},
    {"Label11", 3000, 3975, u"F8 ......... Αναζήτηση Εκδοτικού Στοιχείου", Edition::Part::None},
    {"Label13", 3240, 4095, u"F9 ......... Αναζήτηση Αριθμών - Θέματος", Edition::Part::None},
    {"Label12", 3480, 3855, u"F10 ....... Μενού Επιλογών", Edition::Part::None},
    {"Label10", 3720, 3615, u"F11 ....... Αναζήτηση Δανειζομένου", Edition::Part::None},
    {"Label14", 3960, 3735, u"F12 ....... Νέα Εγγραφή", Edition::Part::All},
    {"Label17", 4200, 3735, u"Ctrl+F1.. Βοήθεια", Edition::Part::None, 4080},
    {"Label18", 4560, 3975, u"Δες πλήρη Κατάλογο σε Βοήθεια Προγ/τος", Edition::Part::None},
};
constexpr int kLineLeft = 480;
constexpr int kLineHeight = 255;

constexpr double kFontPoints = 9.75;
constexpr double kSmallestFontPoints = 6.0;

bool fits(const QFont& font, const QList<QLabel*>& labels) {
  const QFontMetrics metrics(font);
  for (const QLabel* label : labels)
    if (metrics.horizontalAdvance(label->text()) > label->width()) return false;
  return true;
}

// The lines were measured for the narrow bold "System" font. Where the font
// that stands in for it is wider, the whole list shrinks in step until every
// line fits its label, rather than losing the ends of the lines.
QFont fittingFont(const QList<QLabel*>& labels) {
  QFont font(u"System"_s);
  font.setBold(true);
  for (double points = kFontPoints; points >= kSmallestFontPoints; points -= 0.25) {
    font.setPointSizeF(points);
    if (fits(font, labels)) break;
  }
  return font;
}

QLabel* addLabel(QWidget* window, const char* name, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, window);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(geometry);
  // Text stands at the top of its label, where the layout's tops place it.
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The panel and every line share the tooltip colours.
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::ToolTipBase));
  palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipText));
  label->setPalette(palette);
  label->setAutoFillBackground(true);
  return label;
}

}  // namespace

frmHelp::frmHelp(const Edition& edition, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(u"frmHelp"_s);
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(edition.keyHelpCaption());
  setFixedSize(twipsToPixels(5025), twipsToPixels(5655));

  QList<QLabel*> labels;
  labels.append(addLabel(this, "Label1", QString(), twipsRect(240, 240, 4455, 5175)));
  labels.append(addLabel(this, "Label2", u"ΚΥΡΙΟΤΕΡΑ ΠΛΗΚΤΡΑ ΣΥΝΤΟΜΕΥΣΕΩΣ"_s, twipsRect(240, 480, 4095, 375)));
  for (const KeyLine& line : kLines) {
    if (!edition.has(line.studentsLack, Edition::Part::Key)) continue;
    const int top = edition.isStudents() && line.studentsTop >= 0 ? line.studentsTop : line.top;
    labels.append(
        addLabel(this, line.name, QString::fromUtf16(line.text), twipsRect(kLineLeft, top, line.width, kLineHeight)));
  }
  const QFont font = fittingFont(labels);
  for (QLabel* label : labels) label->setFont(font);

  // The only control that takes the focus, so Enter and the space bar press it.
  auto* command1 = new QPushButton(u"OK"_s, this);
  command1->setObjectName(u"Command1"_s);
  command1->setGeometry(twipsRect(1680, 4920, 1575, 375));
  command1->setAutoDefault(true);
  command1->setFocus();
  connect(command1, &QPushButton::clicked, this, &frmHelp::Command1_Click);
}

void frmHelp::Command1_Click() { close(); }
