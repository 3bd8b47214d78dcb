#include "catalogue/FieldLabels.h"

#include <array>

#include "catalogue/CatalogueRecord.h"

using namespace Qt::StringLiterals;

QString fieldLabel(int i) {
  static const std::array<QString, CatalogueRecord::kFieldCount> labels{
      u"ΣΥΓΓΡΑΦΕΑΣ - ΕΠΙΜΕΛΗΤΗΣ"_s,
      u"ΜΕΤΑΦΡΑΣΤΗΣ - ΔΙΑΣΚΕΥΑΣΤΗΣ - ΕΙΚΟΝΟΓΡΑΦΟΣ - ΣΥΝΤΑΚΤΗΣ ΠΡΟΛΟΓΟΥ/ΕΙΣΑΓΩΓΗΣ"_s,
      u"ΚΥΡΙΟΣ ΤΙΤΛΟΣ και ΥΠΟΤΙΤΛΟΣ ή [ΤΙΤΛΟΣ ΠΡΩΤΟΤΥΠΟΥ]"_s,
      u"ΕΚΔΟΤΙΚΑ ΣΤΟΙΧΕΙΑ: ΤΟΠΟΣ, ΟΙΚΟΣ, ΕΤΟΣ, ΕΚΔΟΣΗ, ΣΕΛΙΔΕΣ/ΤΟΜΟΙ"_s,
      u"ΒΙΒΛΙΑΡΙΘΜΟΣ και ΘΕΜΑΤΟΛΟΓΙΑ"_s,
      u"Ονοματεπώνυμο Δανειζόμενου - Ημερομηνία Επιστροφής"_s,
  };
  return i >= 0 && i < CatalogueRecord::kFieldCount ? labels[size_t(i)] : QString();
}
