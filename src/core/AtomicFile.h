#pragma once

#include <string>
#include <string_view>

namespace zarvic {

// Replaces the file at path with bytes so that a failure at any point leaves the previous file as it
// was: the bytes go to a new file in the same folder, are flushed to disk, and the new file is renamed
// over path. A symbolic link at path is followed (its target is replaced). A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own. An existing file that is not
// writable is refused. On failure returns false and sets error (an errno value) when given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

}  // namespace zarvic
