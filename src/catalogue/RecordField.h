#pragma once

// The six fields of a record, in their order on disk: the one name of each
// that the windows, the exchange code, the loans and the labels use.
namespace recordfield {
enum Field : int {
  kAuthor = 0,
  kOtherNames = 1,
  kTitle = 2,  // the only field that holds line breaks
  kPublication = 3,
  kNumberAndSubject = 4,  // the book number, then the subject
  kBorrower = 5,          // the borrower's name and the return date, as typed
};
}  // namespace recordfield
