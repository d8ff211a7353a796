// What a query finds in the program's database, as one text a row: for comparing tables before and after.
#pragma once

#include <QString>

// Each row's fields in their plain text form joined by '|', the rows joined by line feeds.
QString storedRows(const QString& query);
