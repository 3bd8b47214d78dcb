#pragma once

#include <QStringList>
#include <vector>

// The columns of an exported table: "Κωδικός", then the labels of the chosen fields.
QString codeColumnName();
QStringList tableHeader(const std::vector<int>& fields);

// What a header cell names: a field's number, kCodeColumn, or kNoColumn.
constexpr int kCodeColumn = -1;
constexpr int kNoColumn = -2;
int columnField(const QString& name);
