// What a query finds in the program's database, as one text a row: for comparing tables before and after.
#pragma once

#include <QString>

#include "tests/datasupport/StoredText.h"
#include "ui/Module2.h"

// Each row's fields in their plain text form joined by '|', the rows joined by line feeds.
inline QString storedRows(const QString& query) {
    QString rows = QString::fromStdString(rowsOf(Module2::Connection(), query.toStdString()));
    rows.chop(1);
    return rows;
}
