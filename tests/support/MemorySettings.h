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
  bool forgiving = false;
  bool keeps = true;  // what setForgivingSearch answers
};
