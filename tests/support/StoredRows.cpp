// Rows of the program's database as text, for tests.
#include "tests/support/StoredRows.h"

#include <QStringList>

#include "data/Recordset.h"
#include "ui/Module2.h"

QString storedRows(const QString& query) {
    Recordset rows;
    rows.Open(query.toStdString(), Module2::Connection(), Recordset::adOpenStatic,
              Recordset::adLockBatchOptimistic);
    QStringList shown;
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList fields;
        for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
            fields << QString::fromStdString(rows.Fields(i).toText());
        }
        shown << fields.join(u'|');
    }
    return shown.join(u'\n');
}
