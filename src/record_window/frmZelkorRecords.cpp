#include "platform/widgets/NumberForm.h"
#include "record_window/FieldBoxes.h"
#include "record_window/frmZelkor.h"

using namespace Qt::StringLiterals;

namespace {

// Blanks only: a field keeps any other character at its ends.
QString withoutBlanks(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin] == u' ') ++begin;
  while (end > begin && text[end - 1] == u' ') --end;
  return text.mid(begin, end - begin);
}

}  // namespace

bool frmZelkor::writeRecord(qint32 n, const CatalogueRecord& record) {
  return m_session.file().write(n, record) || m_session.fail();
}

bool frmZelkor::ShowCR() {
  if (!m_session.file().read(m_currentRecord, m_record)) return m_session.fail();
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) m_boxes[i]->setFieldText(withoutBlanks(m_record.field(i)));
  showRecordCaption();
  return true;
}

void frmZelkor::showRecordCaption() {
  m_session.caption().set(m_session.edition().recordCaptionHead() + QString(11, u' ') + u"Εγγραφή: "_s +
                          signPos(m_currentRecord) + u"  από "_s + signPos(m_recordCount));
}

bool frmZelkor::SaveCR() {
  CatalogueRecord record = CatalogueRecord::blank();
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) record.setField(i, m_boxes[i]->fieldText());
  m_record = record;
  return writeRecord(m_currentRecord, m_record);
}

void frmZelkor::cmdNext_Click() {
  if (m_currentRecord >= m_recordCount) {
    m_session.dialogs().beep();
    m_session.notice(u"Τελευταία Εγγραφή"_s, Dialogs::Icon::Exclamation);
    return;
  }
  ++m_currentRecord;
  ShowCR();
}

void frmZelkor::cmdPrevious_Click() {
  if (m_currentRecord <= 1) {
    m_session.dialogs().beep();
    m_session.notice(u"Πρώτη Εγγραφή"_s, Dialogs::Icon::Exclamation);
    return;
  }
  --m_currentRecord;
  ShowCR();
}

void frmZelkor::cmdNew_Click() {
  if (!SaveCR()) return;
  ++m_recordCount;
  m_record = CatalogueRecord::blank();
  if (!writeRecord(m_recordCount, m_record)) return;
  m_currentRecord = m_recordCount;
  if (!ShowCR()) return;
  focusBox(0);
}

void frmZelkor::cmdCorrect_Click() {
  if (!SaveCR()) return;
  m_session.notice(u"Η Εγγραφή "_s + signPos(m_currentRecord) + u"  Καταχωρίσθηκε"_s, Dialogs::Icon::Information);
}

void frmZelkor::cmdDelete_Click() {
  const Dialogs::Answer answer = m_session.dialogs().message(
      u"Θέλετε να Διαγράψετε την Εγγραφή "_s + signPos(m_currentRecord) + u" ;"_s, m_session.edition().productTitle(),
      Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No);
  if (answer != Dialogs::Answer::Yes) {
    focusBox(0);
    return;
  }
  m_record = CatalogueRecord::deletionMark();
  if (!writeRecord(m_currentRecord, m_record)) return;
  ShowCR();
}
