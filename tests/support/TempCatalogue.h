#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh working directory for one test, holding (or not) a "Zelkor.dat".
// The process's working directory moves into it and back on destruction.
class TempCatalogue {
 public:
  TempCatalogue();
  ~TempCatalogue();

  QString path() const;  // of Zelkor.dat
  QString dir() const { return m_dir.path(); }
  bool exists() const;
  QByteArray bytes() const;
  void setBytes(const QByteArray& bytes);
  // One record's 350 bytes from up to six field texts (blank-padded, cut to width).
  static QByteArray record(const QStringList& fields);
  // Writes these records as the whole file.
  void setRecords(const QList<QStringList>& records);
  // Record n (1-based) of the file as six padded texts.
  QStringList fieldsOf(int n) const;

 private:
  QTemporaryDir m_dir;
  QString m_previous;
};
