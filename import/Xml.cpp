// The XML reader: one pass over the bytes with a stack of open elements.
#include "import/Xml.h"
#include "data/Strings.h"
#include <cstdint>
#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

class Parser {
public:
    Parser(const char* data, size_t size) : _p(data), _end(data + size) {}

    XmlStatus Run(XmlElement& root) {
        if (StartsWith("\xEF\xBB\xBF")) _p += 3;
        std::vector<XmlElement*> open;
        bool rootDone = false;
        size_t elements = 0;
        while (_p < _end) {
            if (*_p != '<') {
                std::string text;
                if (!Text(text)) return XmlStatus::Damaged;
                if (!open.empty())
                    open.back()->text += text;
                else if (!Trimmed(text).empty())
                    return XmlStatus::Damaged;
            } else if (StartsWith("<?")) {
                const char* start = _p;
                if (!SkipPast("?>")) return XmlStatus::Damaged;
                if (start == _begin) Declaration(std::string(start, _p));
            } else if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return XmlStatus::Damaged;
            } else if (StartsWith("<![CDATA[")) {
                _p += 9;
                const char* start = _p;
                if (open.empty() || !SkipPast("]]>")) return XmlStatus::Damaged;
                open.back()->text += Converted(start, _p - 3);
            } else if (StartsWith("<!")) {
                return StartsWith("<!DOCTYPE") ? XmlStatus::HasDtd : XmlStatus::Damaged;
            } else if (StartsWith("</")) {
                _p += 2;
                std::string name;
                if (!Name(name)) return XmlStatus::Damaged;
                SkipBlanks();
                if (_p == _end || *_p++ != '>' || open.empty() || open.back()->name != name) return XmlStatus::Damaged;
                open.pop_back();
                rootDone = open.empty();
            } else {
                ++_p;
                std::string name;
                bool empty = false;
                if (!Name(name) || !Attributes(empty) || (open.empty() && rootDone)) return XmlStatus::Damaged;
                if (++elements > kMaxXmlElements || open.size() >= static_cast<size_t>(kMaxXmlDepth))
                    return XmlStatus::TooLarge;
                XmlElement* element = &root;
                if (!open.empty()) {
                    open.back()->children.emplace_back();
                    element = &open.back()->children.back();
                }
                element->name = name;
                if (!empty) open.push_back(element);
                rootDone = open.empty();
            }
        }
        return open.empty() && rootDone ? XmlStatus::Ok : XmlStatus::Damaged;
    }

private:
    bool StartsWith(const char* text) const {
        const size_t n = std::strlen(text);
        return static_cast<size_t>(_end - _p) >= n && std::memcmp(_p, text, n) == 0;
    }
    bool SkipPast(const char* text) {
        const size_t n = std::strlen(text);
        for (const char* q = _p; static_cast<size_t>(_end - q) >= n; ++q) {
            if (std::memcmp(q, text, n) == 0) {
                _p = q + n;
                return true;
            }
        }
        return false;
    }
    void SkipBlanks() {
        while (_p < _end && IsBlank(*_p)) ++_p;
    }
    bool Name(std::string& name) {
        const char* start = _p;
        while (_p < _end && !IsBlank(*_p) && !std::strchr("/>=<?!&\"'", *_p)) ++_p;
        name.assign(start, _p);
        return !name.empty();
    }
    // Up to the end of a start tag: "name='value'" pairs, then ">" or "/>".
    bool Attributes(bool& empty) {
        for (;;) {
            SkipBlanks();
            if (StartsWith("/>") || StartsWith(">")) {
                empty = *_p == '/';
                _p += empty ? 2 : 1;
                return true;
            }
            std::string name, value;
            if (!Name(name)) return false;
            SkipBlanks();
            if (_p == _end || *_p++ != '=') return false;
            SkipBlanks();
            if (_p == _end || (*_p != '"' && *_p != '\'')) return false;
            const char quote = *_p++;
            if (!Text(value, quote) || _p == _end || *_p != quote) return false;
            ++_p;
        }
    }
    // Character data up to the next '<' (or |stop|), its references replaced.
    bool Text(std::string& out, char stop = '<') {
        const char* start = _p;
        while (_p < _end && *_p != stop && *_p != '<') {
            if (*_p != '&') {
                ++_p;
                continue;
            }
            out += Converted(start, _p);
            if (!Reference(out)) return false;
            start = _p;
        }
        out += Converted(start, _p);
        return true;
    }
    bool Reference(std::string& out) {
        const char* semicolon = _p;
        while (semicolon < _end && semicolon - _p < 12 && *semicolon != ';') ++semicolon;
        if (semicolon == _end || *semicolon != ';') return false;
        const std::string name(_p + 1, semicolon);
        _p = semicolon + 1;
        static const char* const kNames[][2] = {{"lt", "<"}, {"gt", ">"}, {"amp", "&"}, {"apos", "'"}, {"quot", "\""}};
        for (const auto& entity : kNames) {
            if (name == entity[0]) {
                out += entity[1];
                return true;
            }
        }
        if (name.size() < 2 || name[0] != '#') return false;
        const bool hex = name[1] == 'x';
        const size_t digits = hex ? 2 : 1;
        if (name.size() <= digits) return false;
        unsigned long code = 0;
        for (size_t i = digits; i < name.size(); ++i) {
            const char c = name[i];
            const int d = c >= '0' && c <= '9'          ? c - '0'
                          : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                        : -1;
            if (d < 0) return false;
            code = code * (hex ? 16 : 10) + static_cast<unsigned long>(d);
            if (code > 0x10FFFF) return false;
        }
        if (code == 0) return false;
        out += ToCodePage1252(code);
        return true;
    }
    void Declaration(const std::string& text) {
        const size_t at = text.find("encoding");
        if (at == std::string::npos) return;
        const size_t quote = text.find_first_of("\"'", at);
        if (quote == std::string::npos) return;
        const size_t close = text.find(text[quote], quote + 1);
        const std::string encoding = text.substr(quote + 1, close == std::string::npos ? 0 : close - quote - 1);
        _utf8 = EqualNoCase(encoding, "UTF-8") || EqualNoCase(encoding, "UTF8");
    }
    std::string Converted(const char* from, const char* to) const {
        const std::string raw(from, to);
        return _utf8 ? Utf8ToCodePage1252(raw) : raw;
    }

    const char* _p;
    const char* const _end;
    const char* const _begin = _p;
    bool _utf8 = true;
};

}  // namespace

const XmlElement* XmlElement::Child(const std::string& childName) const {
    for (const XmlElement& child : children)
        if (child.name == childName) return &child;
    return nullptr;
}

std::string XmlElement::Text(const std::string& path) const {
    const XmlElement* element = this;
    size_t start = 0;
    while (element && start <= path.size()) {
        const size_t slash = path.find('/', start);
        element = element->Child(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return element ? Trimmed(element->text) : std::string();
}

XmlDocument ParseXml(const char* data, size_t size) {
    XmlDocument document;
    document.status = Parser(data, size).Run(document.root);
    if (document.status != XmlStatus::Ok) document.root = XmlElement();
    return document;
}

char ToCodePage1252(unsigned long codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
    // What code page 1252 holds at 0x80 to 0x9F (0: nothing).
    static const uint16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] && kHigh[i] == codePoint) return static_cast<char>(0x80 + i);
    return '?';
}

std::string Utf8ToCodePage1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t more = lead >= 0xC2 && lead <= 0xDF   ? 1
                            : lead >= 0xE0 && lead <= 0xEF ? 2
                            : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                           : 0;
        unsigned long code = lead & (0x3F >> more);
        bool valid = more > 0 && text.size() - i > more;
        for (size_t k = 1; valid && k <= more; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        // Too long a form, a surrogate or beyond Unicode: not UTF-8.
        if (valid && ((more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                      (more == 3 && (code < 0x10000 || code > 0x10FFFF))))
            valid = false;
        if (!valid) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        out += ToCodePage1252(code);
        i += more + 1;
    }
    return out;
}
