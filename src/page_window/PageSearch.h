#pragma once

#include <QString>
#include <vector>

// What one of the page window's seven searches looks in and what it says.
struct PageSearch {
  std::vector<int> fields;  // 0-based fields of the record; a record matches once however many contain the text
  QString prompt;
  QString titleTail;            // the input box's title after the product title and ": "
  QString heading;              // the printed page footer's heading
  QString notFound;             // goes before the search text and " δεν Βρέθηκε"
  bool emptiesHeading = false;  // the stored heading is emptied when the search starts
};
