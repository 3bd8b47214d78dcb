#pragma once

// Decides whether one record is a match, from its 350 raw bytes. A search
// takes any matcher, so a different comparison plugs in without touching
// the windows.
class RecordMatcher {
 public:
  virtual ~RecordMatcher() = default;
  // `record` may be nullptr (nothing stored there); no matcher matches it.
  virtual bool matches(const char* record) const = 0;
};
