#pragma once

// Reading a whole file or stream into memory, with the reason when it fails.

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// Everything `descriptor` yields up to its end; nothing on a read error, with `error` saying why.
std::optional<std::string> ReadAll(int descriptor, std::string& error);

// The whole content of the file at `path`; nothing when it cannot be opened or read (a folder
// cannot), with `error` saying why.
std::optional<std::string> ReadFileContent(const std::filesystem::path& path, std::string& error);

}  // namespace platform
