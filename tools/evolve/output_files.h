// The output folder and the files written into it.
#pragma once

#include <string>

namespace evolve {

// Creates the folder when needed and makes sure a file can be written in it.
// Throws std::runtime_error with the reason.
void prepareOutputFolder(const std::string& folder);

// Throws std::runtime_error naming the file.
void writeFile(const std::string& path, const std::string& content);

std::string joinPath(const std::string& folder, const std::string& name);

// Text for XML character data and attribute values.
std::string xmlEscape(const std::string& text);

}  // namespace evolve
