#pragma once

// Reading and writing whole files. File names are native paths: the caller converts a name
// the user typed at the window boundary, not from local text.

#include <filesystem>

#include "text/ByteStream.h"
#include "text/Text.h"

namespace text {

bool FileExists(const std::filesystem::path& path);

// The file's bytes; empty when the path is empty or the file cannot be read.
ByteBuffer ReadWholeFile(const std::filesystem::path& path);

// Creates the file or empties an existing one, opened for exclusive writing, and writes the
// buffers (byte buffers or texts) in order. False for an empty path or any error.
template <typename... Buffers>
bool WriteWholeFile(const std::filesystem::path& path, const Buffers&... buffers) {
  ByteStream file = OpenFileStream(path, static_cast<int>(FileMode::kCreateTruncate),
                                   static_cast<int>(FileSharing::kExclusive));
  return StreamWriteBytes(file, buffers...);
}

}  // namespace text
