#pragma once

// The MARC fields that carry the catalogue, shared by the export that writes
// them and the import that reads them back.
namespace marc21 {
constexpr char kMainEntry[] = "100";   // $a the first author
constexpr char kTitle[] = "245";       // $a title, $c statement of responsibility
constexpr char kNote[] = "500";        // $a the publication data as typed
constexpr char kSubject[] = "653";     // $a
constexpr char kAddedEntry[] = "700";  // $a name, $e role, $4 relator code
constexpr char kHoldings[] = "852";    // $p the book number
constexpr char kKohaItem[] = "952";    // $p the book number as barcode
constexpr char kCopyNumber = 'p';
}  // namespace marc21

namespace unimarc {
constexpr char kGeneralData[] = "100";  // $a 36 characters, the character set in 26-29
constexpr char kTitle[] = "200";        // $a title, $f first statement, $g other names as typed
constexpr char kNote[] = "300";
constexpr char kSubject[] = "610";
constexpr char kPrimaryName[] = "700";  // $a entry element, $b the rest, $4 relator code
constexpr char kAlternativeName[] = "701";
constexpr char kSecondaryName[] = "702";
constexpr char kItem[] = "995";  // $f the book number
constexpr char kItemNumber = 'f';
// The non-sorting marks around the characters a library system skips.
constexpr char16_t kNsb = 0x98;
constexpr char16_t kNse = 0x9C;
}  // namespace unimarc
