#include "foundation/XMLHelper.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <pugixml.hpp>

/// Reaches into the handles; only this file knows that they wrap pugixml.
struct XMLDomAccess {
    static const std::shared_ptr<pugi::xml_document>& Doc(const TvrnDomDocument& d) { return d.m_doc; }
    static std::shared_ptr<pugi::xml_document>& Doc(TvrnDomDocument& d) { return d.m_doc; }
    static pugi::xml_node Node(const TvrnDomElement& e) { return pugi::xml_node(e.m_node); }
    static TvrnDomDocument MakeDocument(std::shared_ptr<pugi::xml_document> doc) {
        TvrnDomDocument d;
        d.m_doc = std::move(doc);
        return d;
    }
    static TvrnDomElement MakeElement(const std::shared_ptr<pugi::xml_document>& doc, pugi::xml_node node) {
        TvrnDomElement e;
        if (node) {
            e.m_doc = doc;
            e.m_node = node.internal_object();
        }
        return e;
    }
    static const std::shared_ptr<pugi::xml_document>& Doc(const TvrnDomElement& e) { return e.m_doc; }
};

namespace {

const char* const kLoadError = "Error loading MSXML Document.";

// Whitespace-only text is dropped between elements but kept where it is an element's only
// content, so a value consisting of blanks survives a save and load. Line ends inside text are
// kept as they are, so values read back exactly as they were set.
constexpr unsigned kParseOptions = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_wconv_attribute |
                                   pugi::parse_pi | pugi::parse_comments | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_ws_pcdata_single | pugi::parse_fragment;
// No indentation is added: what is written is exactly the tree.
constexpr unsigned kFormatOptions = pugi::format_raw;

QByteArray Utf8(const QString& text) {
    return text.toUtf8();
}

QString FromUtf8(const char* text) {
    return QString::fromUtf8(text);
}

/// A name in the parser's UTF-8 form. Names are looked up for every value read, and nearly all
/// of them are short ASCII words: those are converted on the stack, without allocating.
class NameKey {
public:
    explicit NameKey(const QString& name) {
        const qsizetype size = name.size();
        const QChar* text = name.constData();
        if (size < qsizetype(sizeof m_small)) {
            qsizetype i = 0;
            for (; i < size && text[i].unicode() < 0x80; ++i)
                m_small[i] = static_cast<char>(text[i].unicode());
            if (i == size) {
                m_small[size] = '\0';
                m_data = m_small;
                return;
            }
        }
        m_large = name.toUtf8();
        m_data = m_large.constData();
    }
    NameKey(const NameKey&) = delete;
    NameKey& operator=(const NameKey&) = delete;

    const char* constData() const { return m_data; }

private:
    char m_small[32];
    QByteArray m_large;
    const char* m_data = nullptr;
};

pugi::xml_node RequireElement(const TvrnDomElement& element, const char* operation) {
    if (!element.Assigned())
        throw EUnassignedArgumentError(QString::fromLatin1(operation));
    return XMLDomAccess::Node(element);
}

const std::shared_ptr<pugi::xml_document>& RequireDocument(const TvrnDomDocument& document, const char* operation) {
    if (!document.Assigned())
        throw EUnassignedArgumentError(QString::fromLatin1(operation));
    return XMLDomAccess::Doc(document);
}

void RequireValidName(const QString& name) {
    if (!XMLIsValidName(name))
        throw EXMLHelperError(QStringLiteral("invalid XML name: \"") + name + QStringLiteral("\""));
}

/// The first child element of that name. Processing instructions carry names too, and the
/// parser's own lookup by name would return them as well.
pugi::xml_node ChildElement(const pugi::xml_node& node, const char* name) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element && std::strcmp(child.name(), name) == 0)
            return child;
    return pugi::xml_node();
}

void RemoveAllChildren(pugi::xml_node node) {
    while (pugi::xml_node last = node.last_child())
        node.remove_child(last);
}

// A loaded document must be one document: exactly one element at the top, and besides it only
// the declaration, processing instructions, comments and a document type.
bool HasSingleRootElement(const pugi::xml_document& doc) {
    int elements = 0;
    for (pugi::xml_node child = doc.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
        case pugi::node_element:
            ++elements;
            break;
        case pugi::node_declaration:
            if (child != doc.first_child())
                return false;
            break;
        case pugi::node_pi:
        case pugi::node_comment:
        case pugi::node_doctype:
            break;
        default:
            return false;
        }
    }
    return elements == 1;
}

bool IsValidUtf8(const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        char32_t code;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            code = c & 0x07;
        } else {
            return false;
        }
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) // also stops at the terminating zero
                return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        p += length;
    }
    return true;
}

// The byte order of input that the parser will read as UTF-16 (by its byte-order mark, or by a
// first "<" in UTF-16), or 0 for other input.
enum { NotUtf16 = 0, Utf16LE = 1, Utf16BE = 2 };
int Utf16ByteOrder(const QByteArray& bytes) {
    const auto at = [&](qsizetype i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100u; };
    if ((at(0) == 0xFF && at(1) == 0xFE && at(2) == 0 && at(3) == 0) ||
        (at(0) == '<' && at(1) == 0 && at(2) == 0 && at(3) == 0))
        return NotUtf16; // UTF-32 little-endian
    if ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == '<' && at(1) == 0))
        return Utf16LE;
    if ((at(0) == 0xFE && at(1) == 0xFF) || (at(0) == 0 && at(1) == '<'))
        return Utf16BE;
    return NotUtf16;
}

// The parser silently drops unpaired surrogates and a trailing odd byte of UTF-16 input; such
// input is damaged and must not load as if it were whole.
bool IsSoundUtf16(const QByteArray& bytes, int order) {
    if (bytes.size() % 2 != 0)
        return false;
    const auto unit = [&](qsizetype i) {
        const auto lo = static_cast<unsigned char>(bytes[order == Utf16LE ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[order == Utf16LE ? i + 1 : i]);
        return static_cast<char16_t>(hi << 8 | lo);
    };
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const char16_t c = unit(i);
        if (QChar::isHighSurrogate(c)) {
            if (i + 2 >= bytes.size() || !QChar::isLowSurrogate(unit(i + 2)))
                return false;
            i += 2;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

// The parser passes bytes that are not valid in the input's encoding through unchanged, and
// tolerates repeated attributes. Such a tree would be written out differently from what was read
// (or not be readable again), so it counts as malformed input. Walks without recursion.
bool IsSoundTree(const pugi::xml_document& doc) {
    pugi::xml_node node = doc.first_child();
    while (node) {
        if (!IsValidUtf8(node.name()) || !IsValidUtf8(node.value()))
            return false;
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
             attribute = attribute.next_attribute()) {
            if (!IsValidUtf8(attribute.name()) || !IsValidUtf8(attribute.value()))
                return false;
            for (pugi::xml_attribute other = node.first_attribute(); other != attribute; other = other.next_attribute())
                if (std::strcmp(other.name(), attribute.name()) == 0)
                    return false;
        }
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling())
            node = node.parent();
        if (node)
            node = node.next_sibling();
    }
    return true;
}

struct EncodingChoice {
    pugi::xml_encoding encoding;
    unsigned extraFlags;
    const char* declaredName;
};

EncodingChoice ChooseEncoding(const QString& name) {
    const QString upper = name.trimmed().toUpper();
    if (upper == QLatin1String("UTF-8"))
        return {pugi::encoding_utf8, 0, "UTF-8"};
    if (upper == QLatin1String("UTF-16"))
        return {pugi::encoding_utf16_le, pugi::format_write_bom, "UTF-16"};
    if (upper == QLatin1String("UTF-16LE"))
        return {pugi::encoding_utf16_le, pugi::format_write_bom, "UTF-16LE"};
    if (upper == QLatin1String("UTF-16BE"))
        return {pugi::encoding_utf16_be, pugi::format_write_bom, "UTF-16BE"};
    if (upper == QLatin1String("ISO-8859-1") || upper == QLatin1String("LATIN1"))
        return {pugi::encoding_latin1, 0, "ISO-8859-1"};
    throw EXMLHelperError(QStringLiteral("unsupported XML encoding: \"") + name + QStringLiteral("\""));
}

/// Collects the parser's output. The capacity doubles whenever it runs out: appending to a
/// QByteArray on its own may grow it by little more than the appended piece, so that a document of
/// some hundred kilobytes would be copied again for every piece.
class ByteArrayWriter : public pugi::xml_writer {
public:
    void write(const void* data, size_t size) override {
        const auto length = static_cast<qsizetype>(size);
        if (m_bytes.capacity() - m_bytes.size() < length)
            m_bytes.reserve(std::max(2 * m_bytes.capacity(), m_bytes.size() + length));
        m_bytes.append(static_cast<const char*>(data), length);
    }
    QByteArray m_bytes;
};

} // namespace

bool XMLIsValidName(const QString& name) {
    // The rule of the parser: a name starts with a letter, "_", ":" or any non-ASCII character
    // and continues with those, digits, "-" and ".".
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool start = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' || c >= 0x80;
        const bool other = (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
        if (!(start || (i > 0 && other)))
            return false;
        if (name[i].isSurrogate() &&
            !(name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()))
            return false;
        if (name[i].isHighSurrogate())
            ++i;
    }
    return true;
}

// ---- Documents -------------------------------------------------------------------------------

TvrnDomDocument XMLCreateDocument(const QString& rootName) {
    RequireValidName(rootName);
    auto doc = std::make_shared<pugi::xml_document>();
    pugi::xml_node decl = doc->append_child(pugi::node_declaration);
    decl.append_attribute("version").set_value("1.0");
    decl.append_attribute("encoding").set_value("UTF-16");
    doc->append_child(Utf8(rootName).constData());
    return XMLDomAccess::MakeDocument(std::move(doc));
}

TvrnDomDocument XMLLoadFromBytes(const QByteArray& bytes) {
    const int utf16 = Utf16ByteOrder(bytes);
    if (utf16 != NotUtf16 && !IsSoundUtf16(bytes, utf16))
        throw EXMLHelperError(QString::fromLatin1(kLoadError));
    auto doc = std::make_shared<pugi::xml_document>();
    const pugi::xml_parse_result result =
        doc->load_buffer(bytes.constData(), static_cast<size_t>(bytes.size()), kParseOptions, pugi::encoding_auto);
    if (!result || !HasSingleRootElement(*doc) || !IsSoundTree(*doc))
        throw EXMLHelperError(QString::fromLatin1(kLoadError));
    return XMLDomAccess::MakeDocument(std::move(doc));
}

TvrnDomDocument XMLLoadFromStream(QIODevice& stream) {
    const QByteArray bytes = stream.readAll();
    return XMLLoadFromBytes(bytes);
}

QByteArray XMLSaveToBytes(const TvrnDomDocument& document, const QString& encodingName) {
    const auto& doc = RequireDocument(document, "XMLSaveToStream");
    const EncodingChoice choice = ChooseEncoding(encodingName);
    pugi::xml_node decl = doc->first_child();
    if (decl.type() != pugi::node_declaration) {
        decl = doc->prepend_child(pugi::node_declaration);
        decl.append_attribute("version").set_value("1.0");
    }
    pugi::xml_attribute encoding = decl.attribute("encoding");
    if (!encoding) {
        // The encoding belongs right after the version, before a standalone declaration.
        const pugi::xml_attribute version = decl.attribute("version");
        encoding = version ? decl.insert_attribute_after("encoding", version) : decl.prepend_attribute("encoding");
    }
    encoding.set_value(choice.declaredName);

    ByteArrayWriter writer;
    doc->save(writer, "", kFormatOptions | choice.extraFlags, choice.encoding);
    return std::move(writer.m_bytes);
}

void XMLSaveToStream(const TvrnDomDocument& document, QIODevice& stream, const QString& encodingName) {
    const QByteArray bytes = XMLSaveToBytes(document, encodingName);
    if (stream.write(bytes) != bytes.size())
        throw EXMLHelperError(QStringLiteral("Error writing XML Document: ") + stream.errorString());
}

TvrnDomElement XMLDocumentElement(const TvrnDomDocument& document) {
    const auto& doc = RequireDocument(document, "XMLDocumentElement");
    return XMLDomAccess::MakeElement(doc, doc->document_element());
}

void XMLFreeDocument(TvrnDomDocument& document) {
    XMLDomAccess::Doc(document).reset();
}

void XMLRemoveAllChildren(const TvrnDomDocument& document) {
    RemoveAllChildren(*RequireDocument(document, "XMLRemoveAllChildren"));
}

// ---- Elements --------------------------------------------------------------------------------

TvrnDomElement XMLFindChild(const TvrnDomElement& element, const QString& name) {
    const pugi::xml_node node = RequireElement(element, "XMLFindChild");
    return XMLDomAccess::MakeElement(XMLDomAccess::Doc(element), ChildElement(node, NameKey(name).constData()));
}

TvrnDomElement XMLFirstChildElement(const TvrnDomElement& element) {
    pugi::xml_node child = RequireElement(element, "XMLFirstChildElement").first_child();
    while (child && child.type() != pugi::node_element)
        child = child.next_sibling();
    return XMLDomAccess::MakeElement(XMLDomAccess::Doc(element), child);
}

TvrnDomElement XMLNextSiblingElement(const TvrnDomElement& element) {
    pugi::xml_node sibling = RequireElement(element, "XMLNextSiblingElement").next_sibling();
    while (sibling && sibling.type() != pugi::node_element)
        sibling = sibling.next_sibling();
    return XMLDomAccess::MakeElement(XMLDomAccess::Doc(element), sibling);
}

int XMLChildNodeCount(const TvrnDomElement& element) {
    int count = 0;
    for (pugi::xml_node child = RequireElement(element, "XMLChildNodeCount").first_child(); child;
         child = child.next_sibling())
        ++count;
    return count;
}

QString XMLNodeName(const TvrnDomElement& element) {
    return FromUtf8(RequireElement(element, "XMLNodeName").name());
}

TvrnDomElement XMLAddChild(const TvrnDomElement& element, const QString& name) {
    pugi::xml_node node = RequireElement(element, "XMLAddChild");
    RequireValidName(name);
    pugi::xml_node child = node.append_child(Utf8(name).constData());
    if (!child)
        throw EXMLHelperError(QStringLiteral("XMLAddChild: the element could not be created"));
    return XMLDomAccess::MakeElement(XMLDomAccess::Doc(element), child);
}

void XMLRemoveChild(const TvrnDomElement& element, const TvrnDomElement& child) {
    pugi::xml_node node = RequireElement(element, "XMLRemoveChild");
    const pugi::xml_node childNode = RequireElement(child, "XMLRemoveChild");
    if (childNode.parent() != node || !node.remove_child(childNode))
        throw EXMLHelperError(QStringLiteral("XMLRemoveChild: the node is not a child of the element"));
}

void XMLRemoveAllChildren(const TvrnDomElement& element) {
    RemoveAllChildren(RequireElement(element, "XMLRemoveAllChildren"));
}

QString XMLTextContent(const TvrnDomElement& element) {
    const pugi::xml_node root = RequireElement(element, "XMLTextContent");
    // Walks the subtree without recursion, so deeply nested input cannot exhaust the stack.
    QByteArray text;
    pugi::xml_node node = root.first_child();
    while (node) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            text += node.value();
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && node != root && !node.next_sibling())
            node = node.parent();
        if (!node || node == root)
            break;
        node = node.next_sibling();
    }
    return QString::fromUtf8(text);
}

// ---- Named values ----------------------------------------------------------------------------

QString XMLGetValue(const TvrnDomElement& element, const QString& name) {
    const pugi::xml_node node = RequireElement(element, "XMLGetValue");
    const NameKey key(name);
    if (const pugi::xml_attribute attribute = node.attribute(key.constData()))
        return FromUtf8(attribute.value());
    const pugi::xml_node child = ChildElement(node, key.constData());
    if (!child)
        return QString();
    return XMLTextContent(XMLDomAccess::MakeElement(XMLDomAccess::Doc(element), child));
}

void XMLSetValue(const TvrnDomElement& element, const QString& name, const QString& text, TXMLStorageOption option) {
    pugi::xml_node node = RequireElement(element, "XMLSetValue");
    if (option == xsoDefault)
        option = xsoElement;
    if (option != xsoAttribute && option != xsoElement)
        throw EXMLUnknownStorageOption(QStringLiteral("unknown storage option"));
    RequireValidName(name);
    const QByteArray key = Utf8(name);
    const QByteArray value = Utf8(text);
    while (pugi::xml_node old = ChildElement(node, key.constData()))
        node.remove_child(old);
    if (option == xsoAttribute) {
        pugi::xml_attribute attribute = node.attribute(key.constData());
        if (!attribute)
            attribute = node.append_attribute(key.constData());
        attribute.set_value(value.constData());
        return;
    }
    node.remove_attribute(key.constData());
    pugi::xml_node child = node.append_child(key.constData());
    if (!value.isEmpty())
        child.append_child(pugi::node_pcdata).set_value(value.constData());
}

bool XMLHasValue(const TvrnDomElement& element, const QString& name) {
    const pugi::xml_node node = RequireElement(element, "XMLHasValue");
    const NameKey key(name);
    return node.attribute(key.constData()) || ChildElement(node, key.constData());
}

QString XMLElementToText(const TvrnDomElement& element) {
    const pugi::xml_node node = RequireElement(element, "XMLElementToText");
    ByteArrayWriter writer;
    node.print(writer, "", kFormatOptions, pugi::encoding_utf8);
    return QString::fromUtf8(writer.m_bytes);
}

TvrnDomElement XMLReplaceWithText(const TvrnDomElement& element, const QString& text) {
    pugi::xml_node node = RequireElement(element, "XMLReplaceWithText");
    pugi::xml_node parent = node.parent();
    if (!parent)
        throw EXMLHelperError(QStringLiteral("XMLReplaceWithText: the element has no parent"));
    const TvrnDomDocument parsed = XMLLoadFromBytes(Utf8(text));
    const pugi::xml_node source = XMLDomAccess::Node(XMLDocumentElement(parsed));
    for (pugi::xml_node child = XMLDomAccess::Doc(parsed)->first_child(); child; child = child.next_sibling())
        if (child.type() != pugi::node_element && child.type() != pugi::node_declaration)
            throw EXMLHelperError(QString::fromLatin1(kLoadError)); // comments or instructions around it
    const pugi::xml_node copy = parent.insert_copy_before(source, node);
    if (!copy)
        throw EXMLHelperError(QStringLiteral("XMLReplaceWithText: the element could not be inserted"));
    parent.remove_child(node);
    return XMLDomAccess::MakeElement(XMLDomAccess::Doc(element), copy);
}
