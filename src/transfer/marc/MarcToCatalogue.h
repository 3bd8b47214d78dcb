#pragma once

#include <QList>
#include <QString>

#include "transfer/marc/MarcRecord.h"

// The first five fields of a catalogue record (authors, other names, title,
// publication, book number and subject) that a MARC21 or UNIMARC record
// gives: the export's mapping read backwards, so that the export's own
// records come back as they were, and other systems' common fields taken
// as docs/marc-mapping.md says. The texts are not yet fitted to the fields.
QList<QString> catalogueFieldsOf(const MarcRecord& record);
