// Feeds arbitrary bytes to the XML document loader. Input must either load or raise the load
// error; a document that loaded must survive a save in UTF-16 and UTF-8 and load again to the same
// document.

#include "FuzzSupport.h"
#include "foundation/XMLHelper.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Visits every element (with an explicit stack, as input may nest deeply) and reads through the
// helpers the way callers do.
void WalkElements(const TvrnDomElement& root) {
    std::vector<TvrnDomElement> pending{root};
    while (!pending.empty()) {
        const TvrnDomElement element = pending.back();
        pending.pop_back();
        XMLGetValue(element, XMLNodeName(element));
        XMLChildNodeCount(element);
        for (TvrnDomElement child = XMLFirstChildElement(element); child.Assigned();
             child = XMLNextSiblingElement(child)) {
            XMLGetValue(element, XMLNodeName(child));
            pending.push_back(child);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TvrnDomDocument document;
    try {
        document = XMLLoadFromBytes(input);
    } catch (const EXMLHelperError&) {
        return 0;
    }
    const TvrnDomElement root = XMLDocumentElement(document);
    Check(root.Assigned());
    XMLTextContent(root);
    WalkElements(root);

    for (const char* encoding : {"UTF-16", "UTF-8"}) {
        const QByteArray saved = XMLSaveToBytes(document, QString::fromLatin1(encoding));
        TvrnDomDocument reloaded;
        try {
            reloaded = XMLLoadFromBytes(saved);
        } catch (const EXMLHelperError&) {
            Check(false); // what we wrote must read back
        }
        Check(XMLSaveToBytes(reloaded, QString::fromLatin1(encoding)) == saved);
    }
    return 0;
}
