#include "help/frmAbout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "LomiraVersion.h"
#include "help/WholeLinesLabel.h"
#include "platform/widgets/Twips.h"

using namespace Qt::StringLiterals;

namespace {

const QString kLineBreak = u"\r\n"_s;

// The etched rule under the description: a grey line with a white one of
// width 2 just below it.
class EtchedRule : public QWidget {
 public:
  explicit EtchedRule(QWidget* parent) : QWidget(parent) {
    setGeometry(twipsToPixels(90), twipsToPixels(2445), twipsToPixels(5654 - 90) + 1, 3);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, QColor(0x80, 0x80, 0x80));
    const int whiteLeft = twipsToPixels(105) - twipsToPixels(90);
    painter.fillRect(whiteLeft, 1, width() - whiteLeft, 2, Qt::white);
  }
};

QLabel* addLabel(QWidget* window, const QString& name, const QRect& geometry, bool blackText, QLabel* label = nullptr) {
  if (!label) label = new QLabel(window);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (blackText) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
  }
  return label;
}

QPushButton* addButton(QWidget* window, const QString& name, const QString& caption, const QRect& geometry) {
  auto* button = new QPushButton(caption, window);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setAutoDefault(true);
  return button;
}

}  // namespace

frmAbout::frmAbout(Platform platform, const Edition& edition, QWidget* parent)
    : QDialog(parent), m_platform(platform), m_edition(edition) {
  setObjectName(u"frmAbout"_s);
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setFixedSize(twipsToPixels(5730), twipsToPixels(3555));

  auto* picIcon = addLabel(this, u"picIcon"_s, twipsRect(240, 240, 540, 540), false);
  // The 32-pixel icon at its own size, sharp, in the slightly larger box.
  picIcon->setPixmap(QPixmap(u":/lomira.png"_s));
  m_lblTitle = addLabel(this, u"lblTitle"_s, twipsRect(1050, 240, 3885, 480), true);
  m_lblVersion = addLabel(this, u"lblVersion"_s, twipsRect(1050, 780, 3885, 225), false);
  m_lblDescription = addLabel(this, u"lblDescription"_s, twipsRect(1050, 1125, 3885, 1170), true);
  // The contact lines hold addresses of any length; each shows whole.
  m_lblDisclaimer =
      addLabel(this, u"lblDisclaimer"_s, twipsRect(255, 2625, 3870, 825), true, new WholeLinesLabel(this));
  new EtchedRule(this);

  // OK comes first in the tab order and has the focus when the box opens.
  m_cmdOK = addButton(this, u"cmdOK"_s, u"OK"_s, twipsRect(4245, 2625, 1260, 345));
  m_cmdOK->setDefault(true);
  auto* cmdSysInfo = addButton(this, u"cmdSysInfo"_s, u"&System Info..."_s, twipsRect(4260, 3075, 1245, 345));
  setTabOrder(m_cmdOK, cmdSysInfo);
  m_cmdOK->setFocus();
  connect(m_cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

  Form_Load();
}

void frmAbout::Form_Load() {
  setWindowTitle(u"Περί του Σχολικός Zelkor"_s);
  m_lblVersion->setText(
      u"Έκδοση: %1.%2.%3"_s.arg(lomira::kVersionMajor).arg(lomira::kVersionMinor).arg(lomira::kVersionPatch) +
      m_edition.editionLetter());
  m_lblTitle->setText(m_edition.aboutProductLine() + kLineBreak + u"Δικαιώματα: "_s + Edition::rightsHolder());
  m_lblDescription->setText(m_edition.aboutDescription());
  m_lblDisclaimer->setText(m_edition.aboutAvailability() + kLineBreak + u"Πληροφορίες:"_s + kLineBreak + u"E-mail: "_s +
                           Edition::emailAddress() + kLineBreak + u"URL  : "_s + m_edition.webAddress());
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::keyPressEvent(QKeyEvent* event) {
  // OK is also the cancel button.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    m_cmdOK->click();
    return;
  }
  QDialog::keyPressEvent(event);
}
