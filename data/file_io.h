#pragma once
// The few file operations the data formats need, with crash-safe replacement. Paths are
// std::filesystem paths, so Windows gets its wide (Unicode) names.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "data/file_result.h"

namespace wd::fileio {

bool IsRegularFile(const std::filesystem::path& path);

// Opens for reading only (a read-only file reads fine) and reads the whole file.
FileResult ReadAll(const std::filesystem::path& path, std::vector<std::uint8_t>& out);

// Writes `bytes` to a new temporary file in the target's folder, flushes it to disk, then puts
// it in the target's place in one step. On any failure the temporary is removed and an
// existing target is untouched.
FileResult ReplaceAtomically(const std::filesystem::path& target,
                             std::span<const std::uint8_t> bytes);

// Creates an empty file when none exists; an existing file is left alone.
FileResult CreateIfMissing(const std::filesystem::path& path);

}  // namespace wd::fileio
