#include "page_window/frmMulti.h"
#include "platform/widgets/NumberForm.h"
#include "platform/widgets/TextSurface.h"

using namespace Qt::StringLiterals;

namespace {

// Records take four lines each and begin two pixels in from the left edge.
constexpr int kLineStartX = 2;

// The first `width` characters of a field, exactly that wide even when the
// record holds less.
QString piece(const CatalogueRecord& record, int field, int width) {
  return record.field(field).left(width).leftJustified(width);
}

}  // namespace

bool frmMulti::ShowCR() {
  if (!m_session.file().read(m_currentRecord, m_record)) return m_session.fail();
  Q_ASSERT(m_rowCount < kRows);  // the searches clear the page after every eighth record
  const CatalogueRecord& r = m_record;
  const QString number = signPos(m_currentRecord);
  std::array<QString, kPrintLines>& row = m_page[m_rowCount++];

  TextSurface& s = *m_surface;
  s.setCurrentX(kLineStartX);
  s.print(piece(r, 0, 20));
  s.tab(31);
  s.print(piece(r, 1, 20));
  s.tab(60);
  s.print(piece(r, 3, 50));
  s.tab(115);
  s.print(u"Αρ.Εγγρ.="_s + number);
  s.endLine();
  row[0] = piece(r, 0, 19) + piece(r, 1, 19) + piece(r, 3, 35);

  s.setCurrentX(kLineStartX);
  s.print(piece(r, 2, 85));
  s.endLine();
  row[1] = piece(r, 2, 75);

  s.setCurrentX(kLineStartX);
  s.print(piece(r, 4, 50));
  s.tab(73);
  s.print(piece(r, 5, 34));
  s.endLine();
  // The printed label's E is the Latin letter; the screen's is Greek.
  row[2] = piece(r, 4, 39) + piece(r, 5, 23) + u" Αρ.Eγγρ.="_s + number;

  s.print(rule());
  s.endLine();

  // Pushed with the next box or when the search returns: each question still
  // shows the caption of its own match.
  m_session.caption().setThrottled(m_session.edition().productTitle() + QString(64, u' ') + u"Εγγραφή: "_s + number +
                                   u"  από "_s + signPos(m_recordCount));
  return true;
}

void frmMulti::showCA() {
  m_session.caption().set(m_session.edition().productTitle() + u": Παρουσίαση Πολλαπλών Εγγραφών"_s);
}

void frmMulti::ClearArrays() {
  for (auto& row : m_page) row.fill(QString());
  m_rowCount = 0;
}
