// Names the engine would quietly take for a memory database, a temporary one or a URI: no file is written.
#include "tools/PlainFileName.h"

#include "data/DbError.h"

namespace PlainFileName {

void require(const std::string& name) {
    if (name.empty()) {
        throw DbError("A file name is empty; give the path of a file or folder.");
    }
    // This build reads every name that starts with "file:" as a URI, so "file:x" would write the file x.
    const bool memory = name == ":memory:";
    if (memory || name.starts_with("file:")) {
        throw DbError("'" + name + "' is not a plain file name: the database engine reads it as " +
                      (memory ? "a database in memory" : "a URI") +
                      ". To mean a file of that name, write './" + name + "'.");
    }
}

}  // namespace PlainFileName
