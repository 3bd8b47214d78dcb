#pragma once

#include <QStringList>
#include <vector>

// The columns of an exported table: "Κωδικός", then the labels of the chosen fields.
QString codeColumnName();
QStringList tableHeader(const std::vector<int>& fields);
