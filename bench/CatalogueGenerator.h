#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Realistic catalogue records for the benchmark: Greek and Latin authors,
// titles, publishers, subjects and borrowers, in Windows-1253. Record n is
// the same whatever the size of the file, so a small catalogue is the first
// part of a larger one.
namespace benchgen {

constexpr int kRecordBytes = 350;

// Planted in one of the four fields of the author-title search in every
// hundredth record (n % 100 == 50), turning by field from one to the next:
// a quarter of those are in the title.
QString marker();
bool hasMarker(std::int64_t n);
int markerField(std::int64_t n);  // 0-based field, for records with the marker

// No record holds this text in any field.
QString absentText();

// Every two hundredth record (n % 200 == 123) carries the deletion mark.
bool isDeleted(std::int64_t n);

// The six field texts of record n (1-based), not yet padded.
std::array<QString, 6> fields(std::int64_t n);

// The 350 bytes of record n, as stored.
void encodeRecord(std::int64_t n, char* out);

}  // namespace benchgen
