// A file built under a temporary name beside its final one and moved into place only when complete, so no
// program ever finds it half-written.
#pragma once

#include <string>

class PendingFile {
public:
    // Makes the empty temporary file in the final name's folder. Fails with DbError.
    explicit PendingFile(std::string finalPath);
    // Removes the temporary file, and a journal the engine left beside it, unless it was placed.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const std::string& path() const { return m_temporary; }

    // Gives the complete file its final name, never replacing a file of that name that appeared meanwhile,
    // and makes the new name durable. Fails with DbError.
    void place();
    // The same under another name in the same folder; false, the file still pending, when that name is taken.
    bool placeAs(const std::string& name);
    // Gives the complete file its final name in one step, replacing the file of that name, and makes the
    // new name durable. Fails with DbError.
    void replace();

private:
    std::string m_final;
    std::string m_temporary;
    bool m_placed = false;
};
