// The output folder and the files written into it.
#pragma once

#include <stdexcept>
#include <string>

namespace evolve {

// Output that could not be written; the message names the file and the reason.
class WriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Creates the folder when needed and makes sure a file can be written in it.
void prepareOutputFolder(const std::string& folder);

// The file appears whole or stays as it was: the content goes to
// temporaryName(path) first, which then replaces the file.
void writeFile(const std::string& path, const std::string& content);
// A name beside `path` that no other run uses.
std::string temporaryName(const std::string& path);
void replaceFile(const std::string& temporary, const std::string& path);

std::string joinPath(const std::string& folder, const std::string& name);

// Text for XML character data and attribute values.
std::string xmlEscape(const std::string& text);

}  // namespace evolve
