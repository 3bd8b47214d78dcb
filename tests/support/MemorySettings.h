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
  QPointF labelOffset() const override { return offset; }
  bool setLabelOffset(QPointF mm) override {
    offset = mm;
    return keeps;
  }
  qint32 lastLabelCode() const override { return lastCode; }
  bool setLastLabelCode(qint32 code) override {
    lastCode = code;
    return keeps;
  }
  bool forgiving = false;
  QString school;
  QPointF offset;
  qint32 lastCode = 0;
  bool keeps = true;  // what every setter answers
};
