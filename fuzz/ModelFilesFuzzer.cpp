// Feeds arbitrary XML to the readers of the data model: a property list (the options and every
// activity's and entry's values), a day's entries and an activities file. Every input must either
// read or raise one of the program's errors, never crash or hang; a property list that read must
// write out the same way every time.

#include "FuzzSupport.h"
#include "foundation/XMLHelper.h"
#include "model/ActivityTree.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "model/PropertyList.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

class EntryProvider : public IHXEntryProvider_ {
public:
    TGUID GetEntryTypeID() const override { return ActivityEntryTypeID; }
    EntryPtr CreateEntry() override { return std::make_shared<TActivityEntry>(); }
};

QByteArray Written(TPropertyList& list) {
    const TvrnDomDocument document = XMLCreateDocument(QStringLiteral("content"));
    list.SaveToXML(XMLDocumentElement(document));
    return XMLSaveToBytes(document, QStringLiteral("UTF-8"));
}

void ReadPropertyList(const TvrnDomElement& root) {
    auto list = std::make_shared<TPropertyList>();
    try {
        list->LoadFromXML(root);
    } catch (const EVRNException&) {
        return;
    }
    const QByteArray first = Written(*list);
    auto again = std::make_shared<TPropertyList>();
    again->LoadFromXML(XMLDocumentElement(XMLLoadFromBytes(first))); // what we wrote must read back
    Check(Written(*again) == first);
}

void ReadDayEntries(const TvrnDomElement& root) {
    auto day = std::make_shared<TDayEntryList>(std::make_shared<EntryProvider>(), 45000.0);
    try {
        day->LoadFromXML(root);
    } catch (const EVRNException&) {
        return;
    }
    const TvrnDomDocument document = XMLCreateDocument(QStringLiteral("day"));
    day->SaveToXML(XMLDocumentElement(document));
}

void ReadActivities(const TvrnDomElement& root) {
    auto tree = TActivityTree::Create();
    try {
        tree->LoadFromXML(root);
        const TvrnDomDocument document = XMLCreateDocument(QStringLiteral("content"));
        tree->SaveToXML(XMLDocumentElement(document));
    } catch (const EVRNException&) {
    }
    ReleaseAndCleanup(tree);
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
    ReadPropertyList(root);
    ReadDayEntries(root);
    ReadActivities(root);
    return 0;
}
