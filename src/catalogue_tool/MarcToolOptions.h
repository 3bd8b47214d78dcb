#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <variant>

#include "transfer/export/Export.h"

// The tool's options for the MARC formats: --agency, --items, --branch, --item-type.
QList<QCommandLineOption> marcToolOptions();
QStringList marcToolOptionNames();
// The MARC options given, or a sentence saying what is wrong with them. The
// moment comes from SOURCE_DATE_EPOCH when it is set, for files that must
// come out the same.
std::variant<MarcOptions, QString> marcOptionsFrom(const QCommandLineParser& parser, ExportFormat format);
