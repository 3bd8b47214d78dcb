#include "main_window/CatalogueErrorReport.h"

using namespace Qt::StringLiterals;

void reportCatalogueError(const Edition& edition, Dialogs& dialogs, const CatalogueError& error) {
  dialogs.message(error.describe() + u"\r\nΤο πρόγραμμα θα τερματιστεί."_s, edition.productTitle(),
                  Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation, Dialogs::Answer::Ok);
}
