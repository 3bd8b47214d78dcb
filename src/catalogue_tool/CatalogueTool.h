#pragma once

#include <QStringList>
#include <QTextStream>

// The command-line tool `lomira-catalogue`: export, import and check. Exit
// status 0 on success, 1 when the input was refused or findings were
// reported, 2 when a file could not be read or written.
int runCatalogueTool(const QStringList& arguments, QTextStream& out, QTextStream& err);
