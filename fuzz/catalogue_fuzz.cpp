// libFuzzer target: any file image must survive the catalogue's read and
// write-back unchanged. Build and run with fuzz/build.sh.
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "catalogue_image_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir dir;
  const std::string problem =
      checkCatalogueImage(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), dir.path());
  if (!problem.empty()) {
    std::fprintf(stderr, "catalogue image check: %s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
