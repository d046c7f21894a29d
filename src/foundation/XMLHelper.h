#pragma once

// All reading and writing of XML goes through the handles and helper operations declared here;
// the rest of the program never touches the DOM library, attributes or text nodes itself.

#include "foundation/VRNException.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QIODevice;

namespace pugi {
class xml_document;
struct xml_node_struct;
} // namespace pugi

/// Failures of the XML helpers: unparseable input ("Error loading MSXML Document."), invalid
/// names, unwritable streams, unknown encodings.
VRN_DECLARE_EXCEPTION(EXMLHelperError, EVRNException);
/// A storage option other than the three known ones ("unknown storage option").
VRN_DECLARE_EXCEPTION(EXMLUnknownStorageOption, EXMLHelperError);

/// How a named value of an element is stored. xsoDefault means the process default, which is
/// xsoElement: a child element named after the value whose only content is the value text.
enum TXMLStorageOption : int { xsoDefault = 0, xsoAttribute = 1, xsoElement = 2 };

/// One XML document. Copying the handle shares the document; the document lives as long as any
/// document or element handle refers to it.
class TvrnDomDocument {
public:
    TvrnDomDocument() = default;
    bool Assigned() const { return m_doc != nullptr; }
    friend bool operator==(const TvrnDomDocument& a, const TvrnDomDocument& b) { return a.m_doc == b.m_doc; }

private:
    friend struct XMLDomAccess;
    std::shared_ptr<pugi::xml_document> m_doc;
};

/// One element of a document, or unassigned. Copying shares the element. The handle keeps its
/// document alive, but an element removed from its parent (XMLRemoveChild, XMLRemoveAllChildren,
/// XMLSetValue replacing a child) is gone: handles to it or to its descendants must not be used
/// afterwards.
class TvrnDomElement {
public:
    TvrnDomElement() = default;
    bool Assigned() const { return m_node != nullptr; }
    friend bool operator==(const TvrnDomElement& a, const TvrnDomElement& b) { return a.m_node == b.m_node; }

private:
    friend struct XMLDomAccess;
    std::shared_ptr<pugi::xml_document> m_doc;
    pugi::xml_node_struct* m_node = nullptr;
};

// ---- Documents -------------------------------------------------------------------------------
// Operations on an unassigned document or element raise EUnassignedArgumentError naming the
// operation.

/// A new document: the declaration version="1.0" encoding="UTF-16" and an empty root element.
/// An invalid element name raises EXMLHelperError.
TvrnDomDocument XMLCreateDocument(const QString& rootName);
/// Parses everything from the stream's current position to its end. Text that is not one
/// well-formed document (a single root element) raises EXMLHelperError
/// "Error loading MSXML Document.". The encoding is taken from the byte-order mark, else from the
/// declaration, else UTF-8.
TvrnDomDocument XMLLoadFromStream(QIODevice& stream);
TvrnDomDocument XMLLoadFromBytes(const QByteArray& bytes);
/// Serializes the document in the named encoding ("UTF-8", "UTF-16", "UTF-16LE", "UTF-16BE",
/// "ISO-8859-1"; case-insensitive). The declaration (inserted first if the document has none)
/// names that encoding. UTF-16 is written little-endian after the byte-order mark FF FE. An
/// unknown encoding name, or a stream that does not take all bytes, raises EXMLHelperError.
void XMLSaveToStream(const TvrnDomDocument& document, QIODevice& stream, const QString& encodingName);
QByteArray XMLSaveToBytes(const TvrnDomDocument& document, const QString& encodingName);
/// The root element (unassigned if the document has none).
TvrnDomElement XMLDocumentElement(const TvrnDomDocument& document);
/// Releases this handle's share of the document and leaves the handle unassigned.
void XMLFreeDocument(TvrnDomDocument& document);
/// Removes every child node of the document (last first).
void XMLRemoveAllChildren(const TvrnDomDocument& document);

// ---- Elements --------------------------------------------------------------------------------

/// First child element whose tag name equals name exactly; unassigned if none.
TvrnDomElement XMLFindChild(const TvrnDomElement& element, const QString& name);
/// First child node that is an element (text, comments and processing instructions skipped).
TvrnDomElement XMLFirstChildElement(const TvrnDomElement& element);
/// Next sibling that is an element; unassigned if none.
TvrnDomElement XMLNextSiblingElement(const TvrnDomElement& element);
/// Number of child nodes of any kind.
int XMLChildNodeCount(const TvrnDomElement& element);
QString XMLNodeName(const TvrnDomElement& element);
/// Appends a new element of that name as the last child and returns it. An invalid element name
/// raises EXMLHelperError.
TvrnDomElement XMLAddChild(const TvrnDomElement& element, const QString& name);
/// Removes the child; a node that is not a child of element raises EXMLHelperError.
void XMLRemoveChild(const TvrnDomElement& element, const TvrnDomElement& child);
/// Removes every child node (last first).
void XMLRemoveAllChildren(const TvrnDomElement& element);
inline bool XMLAssigned(const TvrnDomElement& element) {
    return element.Assigned();
}
/// The concatenated text of all descendant text and CDATA nodes, in document order.
QString XMLTextContent(const TvrnDomElement& element);

// ---- Named values ----------------------------------------------------------------------------

/// The attribute of that name if there is one, else the full text content of the first child
/// element of that name, else the empty text. Accepts both storage forms.
QString XMLGetValue(const TvrnDomElement& element, const QString& name);
/// Removes every child element of that name, then stores the value as an attribute (xsoAttribute)
/// or, removing an attribute of that name, as a new last child element holding the text
/// (xsoDefault, xsoElement). Afterwards there is exactly one occurrence, in the requested form.
/// Any other option raises EXMLUnknownStorageOption "unknown storage option"; an invalid name
/// raises EXMLHelperError.
void XMLSetValue(const TvrnDomElement& element, const QString& name, const QString& text,
                 TXMLStorageOption option = xsoDefault);

/// Whether a text can be an element or attribute name that the loader reads back.
bool XMLIsValidName(const QString& name);

// ---- Elements as text ------------------------------------------------------------------------
// Property lists keep an element of a kind they do not know as its text and write it back
// unchanged, and they tell a value that is missing from one that is empty.

/// Whether the element has an attribute or a child element of that name.
bool XMLHasValue(const TvrnDomElement& element, const QString& name);
/// The element itself as XML text: its tag, attributes and all children, without a declaration,
/// written exactly as XMLSaveToBytes writes it inside its document.
QString XMLElementToText(const TvrnDomElement& element);
/// Replaces the element (at the same place among its siblings) by the one element that text
/// holds, and returns the new element. Text that is not exactly one element raises
/// EXMLHelperError "Error loading MSXML Document." and leaves the document as it was.
TvrnDomElement XMLReplaceWithText(const TvrnDomElement& element, const QString& text);
