// The one failure type of the data layer: its text is the description shown to the user.
#pragma once

#include <stdexcept>
#include <string>

class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& description);
};
