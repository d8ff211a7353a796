// The data layer's failure type.
#include "data/DbError.h"

DbError::DbError(const std::string& description) : std::runtime_error(description) {}
