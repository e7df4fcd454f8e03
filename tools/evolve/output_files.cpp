#include "output_files.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace evolve {

namespace fs = std::filesystem;

void prepareOutputFolder(const std::string& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw std::runtime_error("cannot create output folder " + folder + ": " + error.message());
    if (!fs::is_directory(folder, error))
        throw std::runtime_error("output folder " + folder + " is not a folder");
    std::string probe = joinPath(folder, ".evolve-probe");
    std::ofstream file(probe);
    if (!file) throw std::runtime_error("cannot write into output folder " + folder);
    file.close();
    fs::remove(probe, error);
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary);
    file << content;
    file.close();
    if (!file) throw std::runtime_error("cannot write " + path);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return (fs::path(folder) / name).string();
}

std::string xmlEscape(const std::string& text) {
    std::string result;
    for (char c : text) {
        switch (c) {
            case '&':
                result += "&amp;";
                break;
            case '<':
                result += "&lt;";
                break;
            case '>':
                result += "&gt;";
                break;
            case '"':
                result += "&quot;";
                break;
            case '\'':
                result += "&apos;";
                break;
            default:
                result += c;
        }
    }
    return result;
}

}  // namespace evolve
