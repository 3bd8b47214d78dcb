#pragma once

#include <QByteArray>
#include <memory>

#include "transfer/marc/MarcBook.h"
#include "transfer/marc/MarcForm.h"
#include "transfer/marc/MarcOptions.h"

// Books written as MARC records with YAZ: MARC21 or UNIMARC in ISO 2709, or
// MARC21 in MARCXML, all UTF-8.
class MarcWriter {
 public:
  MarcWriter(MarcStandard standard, MarcEncoding encoding, const MarcOptions& options);
  ~MarcWriter();
  MarcWriter(const MarcWriter&) = delete;
  MarcWriter& operator=(const MarcWriter&) = delete;

  // Appends `book` as record `number` to `out`; false when it does not fit
  // in a MARC record.
  bool write(qint32 number, const MarcBook& book, QByteArray& out);
  // Appends what ends the file (MARCXML's closing collection element).
  void finish(QByteArray& out);

 private:
  struct Yaz;
  MarcStandard m_standard;
  MarcOptions m_options;
  std::unique_ptr<Yaz> m_yaz;
};
