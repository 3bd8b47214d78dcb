#include "editions/Edition.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include "editions/AboutSettings.h"

using namespace Qt::StringLiterals;

QString Edition::productTitle() const { return isStudents() ? u"Μ-Zelkor 3.2"_s : u"Σ-Zelkor 3.2"_s; }

QString Edition::recordCaptionHead() const {
  return productTitle() + (isStudents() ? u": Μαθητές - Διερεύνηση"_s : u": Καταχώριση/Διερεύνηση"_s);
}

QString Edition::pageCaptionAsLoaded() const {
  // The students' caption as loaded has a blank before the colon.
  return productTitle() + (isStudents() ? u" : "_s : u": "_s) + u"Παρουσίαση Πολλαπλών Εγγραφών"_s;
}

QString Edition::keyHelpCaption() const {
  return productTitle() + (isStudents() ? u" :  "_s : u":  "_s) + u"Πλήκτρα Συντομεύσεως"_s;
}

QString Edition::editionLetter() const { return isStudents() ? u"Μ"_s : u"Σ"_s; }

QString Edition::aboutProductLine() const { return editionLetter() + u"-Zelkor"_s; }

QString Edition::aboutDescription() const {
  const QString br = u"\r\n"_s;
  if (isStudents()) return u"Ηλεκτρονικός Κατάλογος Μαθητών"_s + br + u"Δανειστικής Σχολικής Βιβλιοθήκης"_s + br;
  return u"Γρήγορη και Εύκολη"_s + br + u"Καταλογράφηση και Διαχείρηση"_s + br + u"Δανειστικής Σχολικής Βιβλιοθήκης"_s +
         br;
}

QString Edition::aboutAvailability() const {
  return isStudents() ? u"Ο Μ-Zelkor είναι μέρος του Σ-Zelkor."_s : u"Ο Σ-Zelkor διατίθεται ΔΩΡΕΑΝ."_s;
}

QString Edition::webAddress() const {
  const QUrl address(QString::fromUtf8(isStudents() ? about_settings::kViewWebAddress : about_settings::kWebAddress));
  if (!address.isRelative() || address.path().isEmpty()) return address.toString();
  // A file installed beside the programs, wherever they went.
  QUrl file = QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath(address.path()));
  file.setFragment(address.fragment());
  return file.toString();
}

QString Edition::emailAddress() { return QString::fromUtf8(about_settings::kEmail); }

QString Edition::rightsHolder() { return QString::fromUtf8(about_settings::kRightsHolder); }

QString Edition::executableName() const { return isStudents() ? u"LomiraView"_s : u"Lomira"_s; }
