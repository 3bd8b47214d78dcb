#include "platform/Dialogs.h"

namespace {

class NoProgressBox : public Dialogs::Progress {
 public:
  bool advance(qint64, qint64) override { return true; }
};

}  // namespace

std::unique_ptr<Dialogs::Progress> Dialogs::progress(const QString&, const QString&) {
  return std::make_unique<NoProgressBox>();
}

QString Dialogs::openFile(const QString&, const QString&, const QStringList&) { return {}; }

std::optional<Dialogs::ColumnChoice> Dialogs::chooseColumns(const ColumnsQuestion&, const QString&) {
  return std::nullopt;
}
