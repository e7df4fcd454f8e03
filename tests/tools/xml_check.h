// A small XML well-formedness check for the files evolve writes: balanced
// tags, one root element, quoted and unique attributes, known entities.
#pragma once

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace evolve::test {

// Empty when `xml` is well formed, else what is wrong.
inline std::string xmlProblem(std::string xml) {
    static const std::regex skipped(R"(<\?xml[^>]*\?>|<!--[\s\S]*?-->|<!DOCTYPE[^>]*>)"),
        token("<[^<>]*>"), attribute(R"(([\w:.-]+)\s*=\s*("[^"]*"|'[^']*'))"),
        tag(R"(<(/?)([A-Za-z_][\w:.-]*)((?:\s+[\w:.-]+\s*=\s*(?:"[^"]*"|'[^']*'))*)\s*(/?)>)"),
        badText(R"([<>]|&(?!(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);))");
    xml = std::regex_replace(xml, skipped, "");
    std::vector<std::string> open;
    int roots = 0;
    size_t done = 0;
    const std::sregex_iterator end;
    for (std::sregex_iterator it(xml.begin(), xml.end(), token);; ++it) {
        const size_t start = it == end ? xml.size() : static_cast<size_t>(it->position());
        const std::string text = xml.substr(done, start - done);
        if (std::regex_search(text, badText)) return "stray '<', '>' or '&' in " + text;
        if (open.empty() && text.find_first_not_of(" \t\r\n") != std::string::npos)
            return "text outside the root element: " + text;
        if (it == end) break;
        done = start + static_cast<size_t>(it->length());
        const std::string t = it->str();
        std::smatch m;
        if (!std::regex_match(t, m, tag)) return "malformed tag " + t;
        const std::string attributes = m[3];
        std::set<std::string> seen;
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a)
            if (!seen.insert((*a)[1]).second || std::regex_search((*a)[2].str(), badText))
                return "repeated attribute or bad value in " + t;
        if (m[1].length() == 0) {
            if (open.empty() && ++roots > 1) return "second root element " + t;
            if (m[4].length() == 0) open.push_back(m[2]);
        } else if (m[4].length() > 0 || !attributes.empty() || open.empty() ||
                   open.back() != m[2]) {
            return "unexpected " + t;
        } else {
            open.pop_back();
        }
    }
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    return roots == 1 ? "" : "no root element";
}

}  // namespace evolve::test
