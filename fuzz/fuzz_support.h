#pragma once
// Helpers of the fuzz targets: the input as a file in a directory of the
// process's own, for readers that take a path.

#include <filesystem>
#include <string>
#include <string_view>

namespace dn {
class ScriptedHost;
}

namespace dn::fuzz {

// Forgets what the scripted host recorded, so that memory stays flat over
// millions of inputs.
void forget(ScriptedHost& host);

// A directory that lives as long as the process.
const std::filesystem::path& scratchDir();

// Writes the bytes as the file `name` in the scratch directory.
std::filesystem::path writeInput(const std::string& name, std::string_view bytes);
// The whole file's bytes.
std::string readInput(const std::filesystem::path& file);

}  // namespace dn::fuzz
