#pragma once

#include "platform/Settings.h"

// Settings that last as long as the object.
class MemorySettings : public Settings {
 public:
  bool forgivingSearch() const override { return forgiving; }
  bool setForgivingSearch(bool on) override {
    forgiving = on;
    return keeps;
  }
  QString schoolName() const override { return school; }
  bool setSchoolName(const QString& name) override {
    school = name;
    return keeps;
  }
  bool forgiving = false;
  QString school;
  bool keeps = true;  // what the setters answer
};
