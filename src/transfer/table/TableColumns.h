#pragma once

#include <QList>
#include <QStringList>
#include <vector>

// The columns of an exported table: "Κωδικός", then the labels of the chosen fields.
QString codeColumnName();
QStringList tableHeader(const std::vector<int>& fields);

// What a header cell names: a field's number, kCodeColumn, or kNoColumn.
// Names are matched ignoring case, accents and punctuation, among the export's
// labels and the names schools give each field (docs/import-columns.md).
constexpr int kCodeColumn = -1;
constexpr int kNoColumn = -2;
int columnField(const QString& name);
// The names taken for each field, one line each, for the messages.
QStringList acceptedColumnNames();
// The field of each name in a list such as "Τίτλος,Συγγραφέας,-,Θέμα" ("-"
// leaves a column out, as kNoColumn); the names not known go to `unknown`.
QList<int> columnsNamed(const QString& list, QStringList& unknown);
// The text that joins the cells of columns that go to the same field.
QString columnJoiner(int field);
