#include "editions/CatalogueErrorReport.h"
#include "platform/NumberForm.h"
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

bool frmZelkor::catalogueFailed() {
  reportCatalogueError(m_edition, m_dialogs, m_file->lastError());
  m_host.endProgram();
  return false;
}

void frmZelkor::notice(const QString& text, Dialogs::Icon icon) {
  m_dialogs.message(text, m_edition.productTitle(), Dialogs::Buttons::Ok, icon, Dialogs::Answer::Ok);
}

bool frmZelkor::writeRecord(qint32 n, const CatalogueRecord& record) {
  return m_file->write(n, record) || catalogueFailed();
}

bool frmZelkor::ShowCR() {
  if (!m_file->read(m_currentRecord, m_record)) return catalogueFailed();
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) setBoxText(i, withoutBlanks(m_record.field(i)));
  m_caption.set(m_edition.recordCaptionHead() + QString(11, u' ') + u"Εγγραφή: "_s + signPos(m_currentRecord) +
                u"  από "_s + signPos(m_recordCount));
  return true;
}

bool frmZelkor::SaveCR() {
  CatalogueRecord record = CatalogueRecord::blank();
  for (int i = 0; i < CatalogueRecord::kFieldCount; ++i) record.setField(i, boxText(i));
  m_record = record;
  return writeRecord(m_currentRecord, m_record);
}

void frmZelkor::ShowSRN() {
  // Called for every record a search examines: the text is made only when the
  // caption is pushed or read.
  m_caption.setThrottled([this, n = m_searchCounter, count = m_recordCount] {
    return m_edition.productTitle() + QString(35, u' ') + u"Διερευνώ Εγγραφή: "_s + signPos(n) + u"  από "_s +
           signPos(count);
  });
}

void frmZelkor::cmdNext_Click() {
  if (m_currentRecord >= m_recordCount) {
    m_dialogs.beep();
    notice(u"Τελευταία Εγγραφή"_s, Dialogs::Icon::Exclamation);
    return;
  }
  ++m_currentRecord;
  ShowCR();
}

void frmZelkor::cmdPrevious_Click() {
  if (m_currentRecord <= 1) {
    m_dialogs.beep();
    notice(u"Πρώτη Εγγραφή"_s, Dialogs::Icon::Exclamation);
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
  notice(u"Η Εγγραφή "_s + signPos(m_currentRecord) + u"  Καταχωρίσθηκε"_s, Dialogs::Icon::Information);
}

void frmZelkor::cmdDelete_Click() {
  const Dialogs::Answer answer = m_dialogs.message(
      u"Θέλετε να Διαγράψετε την Εγγραφή "_s + signPos(m_currentRecord) + u" ;"_s, m_edition.productTitle(),
      Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No);
  if (answer != Dialogs::Answer::Yes) {
    focusBox(0);
    return;
  }
  m_record = CatalogueRecord::deletionMark();
  if (!writeRecord(m_currentRecord, m_record)) return;
  ShowCR();
}
