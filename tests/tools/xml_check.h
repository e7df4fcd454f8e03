// A small XML well-formedness check for the files evolve writes: balanced
// tags, one root element, quoted attributes, known entities.
#pragma once

#include <cctype>
#include <string>
#include <vector>

namespace evolve::test {

// Empty when `xml` is well formed, else what is wrong and where.
inline std::string xmlProblem(const std::string& xml) {
    size_t i = 0;
    std::vector<std::string> open;
    int roots = 0;
    auto at = [&](const std::string& what) { return what + " at offset " + std::to_string(i); };
    auto isName = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == ':' ||
               c == '.';
    };
    auto name = [&]() {
        size_t start = i;
        while (i < xml.size() && isName(xml[i])) ++i;
        return xml.substr(start, i - start);
    };
    auto space = [&]() {
        while (i < xml.size() && std::isspace(static_cast<unsigned char>(xml[i]))) ++i;
    };
    auto entity = [&]() -> bool {  // at '&'
        size_t end = xml.find(';', i);
        if (end == std::string::npos) return false;
        std::string body = xml.substr(i + 1, end - i - 1);
        bool ok = body == "amp" || body == "lt" || body == "gt" || body == "quot" || body == "apos";
        if (!ok && body.size() > 1 && body[0] == '#') {
            bool hex = body[1] == 'x';
            std::string digits = body.substr(hex ? 2 : 1);
            ok = !digits.empty();
            for (char c : digits)
                ok = ok && (hex ? std::isxdigit(static_cast<unsigned char>(c))
                                : std::isdigit(static_cast<unsigned char>(c)));
        }
        i = end + 1;
        return ok;
    };

    if (xml.compare(0, 5, "<?xml") == 0) {
        i = xml.find("?>");
        if (i == std::string::npos) return "unterminated declaration";
        i += 2;
    }
    while (i < xml.size()) {
        char c = xml[i];
        if (c == '&') {
            if (!entity()) return at("bad entity");
        } else if (c == '>') {
            return at("stray '>'");
        } else if (c != '<') {
            if (open.empty() && !std::isspace(static_cast<unsigned char>(c)))
                return at("text outside the root element");
            ++i;
        } else if (xml.compare(i, 4, "<!--") == 0) {
            size_t end = xml.find("-->", i);
            if (end == std::string::npos) return at("unterminated comment");
            i = end + 3;
        } else if (xml.compare(i, 9, "<!DOCTYPE") == 0 && open.empty() && roots == 0) {
            i = xml.find('>', i);
            if (i == std::string::npos) return "unterminated doctype";
            ++i;
        } else if (xml.compare(i, 2, "</") == 0) {
            i += 2;
            std::string tag = name();
            if (open.empty() || open.back() != tag) return at("unexpected </" + tag + ">");
            open.pop_back();
            space();
            if (i >= xml.size() || xml[i] != '>') return at("bad end tag");
            ++i;
        } else {
            ++i;
            std::string tag = name();
            if (tag.empty()) return at("'<' without a tag name");
            if (open.empty() && ++roots > 1) return at("second root element");
            std::vector<std::string> seen;
            for (;;) {
                size_t before = i;
                space();
                if (i >= xml.size()) return at("unterminated tag <" + tag + ">");
                if (xml.compare(i, 2, "/>") == 0) {
                    i += 2;
                    break;
                }
                if (xml[i] == '>') {
                    ++i;
                    open.push_back(tag);
                    break;
                }
                if (i == before) return at("attributes must be separated by space");
                std::string attribute = name();
                if (attribute.empty()) return at("bad attribute in <" + tag + ">");
                for (const auto& s : seen)
                    if (s == attribute) return at("repeated attribute " + attribute);
                seen.push_back(attribute);
                space();
                if (i >= xml.size() || xml[i] != '=') return at("attribute without value");
                ++i;
                space();
                if (i >= xml.size() || (xml[i] != '"' && xml[i] != '\''))
                    return at("unquoted attribute " + attribute);
                char quote = xml[i++];
                while (i < xml.size() && xml[i] != quote) {
                    if (xml[i] == '<') return at("'<' in attribute " + attribute);
                    if (xml[i] == '&') {
                        if (!entity()) return at("bad entity in attribute " + attribute);
                    } else {
                        ++i;
                    }
                }
                if (i >= xml.size()) return at("unterminated attribute " + attribute);
                ++i;
            }
        }
    }
    if (!open.empty()) return "unclosed <" + open.back() + ">";
    if (roots != 1) return "no root element";
    return "";
}

}  // namespace evolve::test
