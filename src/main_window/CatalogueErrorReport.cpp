#include "main_window/CatalogueErrorReport.h"

using namespace Qt::StringLiterals;

void reportCatalogueError(const Edition& edition, Dialogs& dialogs, const CatalogueError& error) {
  dialogs.notice(error.describe() + u"\r\nΤο πρόγραμμα θα τερματιστεί."_s, edition.productTitle(),
                 Dialogs::Icon::Exclamation);
}
