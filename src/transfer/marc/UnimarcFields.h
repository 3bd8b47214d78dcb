#pragma once

#include <QtGlobal>

#include "transfer/marc/MarcBook.h"
#include "transfer/marc/MarcFields.h"
#include "transfer/marc/MarcOptions.h"

// The book as UNIMARC, numbered `number`, made at the options' moment.
void addUnimarcFields(MarcFields& out, qint32 number, const MarcBook& book, const MarcOptions& options);
