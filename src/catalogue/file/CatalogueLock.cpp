#include "catalogue/file/CatalogueLock.h"

using namespace Qt::StringLiterals;

QString CatalogueLock::heldElsewhereMessage(const QString& fileName) {
  return u"Ο κατάλογος «%1» είναι ήδη ανοικτός για καταχώριση σε άλλο πρόγραμμα.\r\n"
         "Κλείστε το άλλο πρόγραμμα και ξεκινήστε ξανά."_s.arg(fileName);
}
