#include <gtest/gtest.h>

#include <QSysInfo>
#include <QUrl>

#include "editions/Edition.h"

using namespace Qt::StringLiterals;

// Every caption, box title and printed heading begins with the edition's
// title, and a students' window never shows the librarian's.
TEST(Edition, EachEditionsTextsCarryItsOwnTitle) {
  for (const Edition& edition : {Edition::librarian(), Edition::students()}) {
    const QString title = edition.productTitle();
    SCOPED_TRACE(title.toStdString());
    for (const QString& caption :
         {edition.recordCaptionHead(), edition.pageCaptionAsLoaded(), edition.keyHelpCaption()})
      EXPECT_TRUE(caption.startsWith(title)) << caption.toStdString();
    EXPECT_TRUE(title.startsWith(edition.editionLetter() + u'-'));
    EXPECT_EQ(edition.aboutProductLine(), edition.editionLetter() + u"-Zelkor"_s);
  }
  EXPECT_NE(Edition::librarian().productTitle(), Edition::students().productTitle());
  EXPECT_NE(Edition::librarian().executableName(), Edition::students().executableName());
  EXPECT_NE(Edition::students().webAddress(), Edition::librarian().webAddress());
}

TEST(Edition, ContactLinesAreRealNeverAnExampleDomain) {
  const QUrl web(Edition::librarian().webAddress());
  EXPECT_TRUE(web.isValid() && !web.scheme().isEmpty()) << web.toString().toStdString();
  // An address the build does not know is left out, never made up.
  const QString email = Edition::emailAddress();
  if (!email.isEmpty()) {
    EXPECT_GT(email.indexOf(u'@'), 0) << email.toStdString();
  }
  EXPECT_FALSE(email.startsWith(u"postmaster@"_s)) << email.toStdString();
  const QString host = QSysInfo::machineHostName();
  if (!host.isEmpty()) {
    EXPECT_FALSE(email.section(u'@', 1).startsWith(host, Qt::CaseInsensitive)) << email.toStdString();
  }
  EXPECT_FALSE(Edition::rightsHolder().isEmpty());
  for (const QString& text : {web.host(), email.section(u'@', 1)}) {
    const QStringList labels = text.toLower().split(u'.');
    EXPECT_FALSE(labels.contains(u"example"_s) || labels.contains(u"test"_s) || labels.contains(u"invalid"_s))
        << text.toStdString();
  }
}
