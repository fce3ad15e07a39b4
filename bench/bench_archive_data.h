#pragma once
// A made-up archive for the benchmarks: download i of n holds its share of one person's 65,536
// minutes (and the last tenth of the download before again, as a monitor not erased in
// between would), four other persons of the ward and spot checks; every hundredth was killed
// and has no index.

#include <filesystem>

namespace wd::bench {

inline constexpr int kPersonRecords = 65536;
inline constexpr const char* kPerson = "110105194912310021";

void WriteDownload(const std::filesystem::path& root, int i, int n);

}  // namespace wd::bench
