#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>
#include <QTextStream>
#include <functional>

// `lomira-catalogue loans [--all] [--date YYYY-MM-DD] [--format csv|text]
// CATALOGUE [OUT]`: the overdue list (or every loan) as a table or as text,
// into OUT or onto the standard output. The catalogue is only read.
QList<QCommandLineOption> loansToolOptions();
QStringList loansToolOptionNames();

// `args` are the positional arguments ("loans", the catalogue, maybe OUT);
// `refuse` reports a mistaken command line and gives its status. Exit status
// 0 on success, 1 for a mistaken command line, 2 when a file could not be read
// or written.
int runLoansCommand(const QCommandLineParser& parser, const QStringList& args, QTextStream& out, QTextStream& err,
                    const std::function<int(const QString&)>& refuse);
