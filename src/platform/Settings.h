#pragma once

#include <QString>

// The user's choices that outlive a run, shared by both windows.
class Settings {
 public:
  virtual ~Settings() = default;
  // Whether the text searches forgive accents, case and Latin look-alikes;
  // off unless set.
  virtual bool forgivingSearch() const = 0;
  // False when the choice could not be kept for later runs; it holds for
  // this run all the same.
  virtual bool setForgivingSearch(bool on) = 0;
  // The school's name that heads the reminder slips; empty until set.
  virtual QString schoolName() const = 0;
  // False when the name could not be kept for later runs.
  virtual bool setSchoolName(const QString& name) = 0;
};
