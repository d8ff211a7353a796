// The process-wide values, made on first use and kept for the life of the process.
#include "ui/Module2.h"

namespace Module2 {

::Connection& Connection() {
    static ::Connection connection;
    return connection;
}

std::string& ConnString() {
    static std::string connectionString;
    return connectionString;
}

QString& MasterType() {
    static QString masterType;
    return masterType;
}

}  // namespace Module2
