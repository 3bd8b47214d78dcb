#pragma once

#include <QPointF>
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
  // The school's name that heads the reminder slips and is printed small on
  // the labels; empty until set.
  virtual QString schoolName() const = 0;
  // False when the name could not be kept for later runs.
  virtual bool setSchoolName(const QString& name) = 0;
  // How far the printer shifts the labels to the right and down, in
  // millimetres, taken back when printing; none unless set.
  virtual QPointF labelOffset() const = 0;
  virtual bool setLabelOffset(QPointF millimetres) = 0;
  // The code of the last label printed, 0 when none.
  virtual qint32 lastLabelCode() const = 0;
  virtual bool setLastLabelCode(qint32 code) = 0;
};
