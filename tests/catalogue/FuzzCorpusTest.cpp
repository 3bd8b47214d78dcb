#include <gtest/gtest.h>

#include <QDirIterator>
#include <QTemporaryDir>

#include "../../fuzz/catalogue_image_check.h"

using namespace Qt::StringLiterals;

namespace {

// The fuzzer's seed images, checked without the fuzzer on every test run.
TEST(FuzzCorpus, EverySeedImageSurvivesReadAndWriteBack) {
  const QString corpus = QStringLiteral(LOMIRA_SOURCE_DIR) + u"/fuzz/corpus"_s;
  QDirIterator it(corpus, QDir::Files);
  int checked = 0;
  while (it.hasNext()) {
    const QString path = it.next();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QTemporaryDir dir;
    EXPECT_EQ(checkCatalogueImage(f.readAll(), dir.path()), std::string()) << path.toStdString();
    ++checked;
  }
  EXPECT_GE(checked, 9);
}

}  // namespace
