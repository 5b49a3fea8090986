// A small XML reader for the documents an import reads: elements, attributes
// (checked, then dropped), text, the five predefined entities, numeric
// character references, CDATA sections, comments and processing instructions.
// A document type declaration is refused, so no entity of a stranger's own can
// expand; depth and the number of elements are bounded. Text is given in code
// page 1252: a UTF-8 document (the default) is converted, a character that
// code page lacks becomes '?'.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

struct XmlElement {
    std::string name;
    std::string text;  // its own text and CDATA, joined; not that of its children
    std::vector<XmlElement> children;

    // The first child of that name, or null.
    const XmlElement* Child(const std::string& childName) const;
    // The text of the element that |path| ("meta-info/developer") leads to
    // through first children, blanks at both ends removed; empty when there is none.
    std::string Text(const std::string& path) const;
};

enum class XmlStatus {
    Ok,
    Damaged,   // not well formed: a tag left open or closed twice, an unknown entity, text after the end...
    HasDtd,    // a document type declaration
    TooLarge,  // nested deeper than kMaxXmlDepth or more than kMaxXmlElements elements
};

constexpr int kMaxXmlDepth = 64;
constexpr size_t kMaxXmlElements = 500000;

struct XmlDocument {
    XmlStatus status = XmlStatus::Damaged;
    XmlElement root;  // empty unless Ok
};

XmlDocument ParseXml(const char* data, size_t size);

// One Unicode character as code page 1252 ('?' when the code page lacks it).
char ToCodePage1252(unsigned long codePoint);
// UTF-8 text in code page 1252; a byte that starts no valid sequence is taken as it is.
std::string Utf8ToCodePage1252(const std::string& text);
