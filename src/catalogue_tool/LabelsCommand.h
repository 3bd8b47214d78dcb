#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <variant>

class QCommandLineParser;
class QCoreApplication;
class QTextStream;

// lomira-catalogue labels: the spine labels of a range of books into a PDF
// file, as the librarian's program prints them.
QList<QCommandLineOption> labelsToolOptions();
// The options the command takes, "sheet" (shared with the import) included.
QStringList labelsToolOptionNames();

// A usage problem to report, or the exit status once the command has told
// what it did.
using LabelsToolOutcome = std::variant<QString, int>;
LabelsToolOutcome runLabelsTool(const QCommandLineParser& parser, const QStringList& args, QTextStream& out,
                                QTextStream& err);

// The tool's application object: the labels command draws text, which needs
// the fonts of a GUI application (without a screen); the other commands a
// core one.
std::unique_ptr<QCoreApplication> makeToolApplication(int& argc, char** argv);
