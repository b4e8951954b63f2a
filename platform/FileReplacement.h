#pragma once

// Writing a file so that a crash or a full disk never leaves it half written.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Writes `parts` one after another into a new file in the folder of `path`, flushes it to the
// disk and renames it over `path`: the file then holds either what it held before or all of
// the new content. A file that already exists keeps its permissions; a new one gets
// `newFileMode` less the umask (the temporary file has them from the start, so private content
// is never readable by others). False on any failure, with `error` saying why, and `path` is
// left as it was.
bool ReplaceFile(const std::filesystem::path& path, std::span<const std::string_view> parts,
                 std::string& error, unsigned newFileMode = 0666);

}  // namespace platform
