#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "catalogue/FieldLabels.h"
#include "catalogue/RecordField.h"
#include "platform/widgets/Twips.h"
#include "record_window/FieldBoxes.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

struct FieldPlace {
  const char* label;
  QString caption;
  QRect labelRect;
  const char* box;
  QRect boxRect;
};

const FieldPlace kFields[CatalogueRecord::kFieldCount] = {
    {"Label1", fieldLabel(0), twipsRect(120, 240, 6615, 255), "txtEpo", twipsRect(240, 480, 6495, 360)},
    {"Label2", fieldLabel(1), twipsRect(120, 960, 6975, 255), "txtOno", twipsRect(240, 1200, 6495, 375)},
    {"Label3", fieldLabel(2), twipsRect(120, 1680, 6615, 255), "txtTitlos", twipsRect(240, 1920, 6495, 615)},
    {"Label4", fieldLabel(3), twipsRect(120, 2640, 6615, 255), "txtAlloi", twipsRect(240, 2880, 6495, 375)},
    {"Label5", fieldLabel(4), twipsRect(120, 3360, 6735, 255), "txtEkdot", twipsRect(240, 3600, 6495, 375)},
    {"Label6", fieldLabel(5), twipsRect(120, 4080, 6735, 255), "txtSp", twipsRect(240, 4320, 6495, 375)},
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
    const bool canEdit = m_session.edition().canEdit();
    FieldBox* box = nullptr;
    if (i == recordfield::kTitle) {
      auto* title = new TitleBox(width, client);
      title->setReadOnly(!canEdit);
      if (!canEdit) title->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
      box = title;
    } else {
      auto* line = new FieldLineEdit(width, client);
      line->setReadOnly(!canEdit);
      box = line;
    }
    box->widget().setObjectName(QString::fromLatin1(place.box));
    box->widget().setGeometry(place.boxRect);
    box->widget().setFont(boxFont());
    // A screen reader names each box by the label above it.
    label->setBuddy(&box->widget());
    box->widget().setAccessibleName(place.caption);
    m_boxes[i] = box;
  }

  // The borrower is set apart: its label in another colour, its text in red.
  auto* label6 = client->findChild<QLabel*>(u"Label6"_s);
  QPalette labelPalette = label6->palette();
  labelPalette.setColor(QPalette::WindowText, QColor(0, 0, 160));
  label6->setPalette(labelPalette);
  QWidget& borrower = m_boxes[5]->widget();
  QPalette boxPalette = borrower.palette();
  boxPalette.setColor(QPalette::Text, Qt::red);
  borrower.setPalette(boxPalette);
}

void frmZelkor::buildButtons(QWidget* client) {
  QWidget* previous = &m_boxes.back()->widget();
  for (int i = 0; i < CatalogueRecord::kFieldCount - 1; ++i)
    QWidget::setTabOrder(&m_boxes[i]->widget(), &m_boxes[i + 1]->widget());

  for (QPushButton* button : buildCommandButtons(client)) {
    button->setFont(captionFont());
    QWidget::setTabOrder(previous, button);
    previous = button;
  }
  client->findChild<QPushButton*>(u"cmdExit"_s)->setFont(boxFont());

  m_picture = new QLabel(client);
  m_picture->setObjectName(u"Picture1"_s);
  m_picture->setGeometry(twipsRect(7440, 3480, 540, 540));
  m_picture->setPixmap(QIcon(u":/lomira.png"_s).pixmap(m_picture->size()));
  m_picture->installEventFilter(this);

  auto* frame = new QFrame(client);
  frame->setObjectName(u"Frame1"_s);
  frame->setFrameShape(QFrame::HLine);
  frame->setFrameShadow(QFrame::Plain);
  frame->setLineWidth(1);
  frame->setGeometry(twipsRect(0, 0, 9255, 15));
}
