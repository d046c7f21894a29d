// Feeds arbitrary bytes to the data-file reader as a file on disk: compression layers, zlib, the
// UTF-16 text, the XML and the envelope checks together. Every input must either read or raise
// one of the data-file errors; a file that read must save and read back to the same document.

#include "FuzzSupport.h"
#include "foundation/XMZFile.h"

#include <QByteArray>
#include <QFile>
#include <cstdint>
#include <cstdlib>

namespace {
QString Folder() {
    static const QString folder = ScratchFolder("fuzz_xmz");
    return folder;
}

void Walk(const TvrnDomElement& root) {
    std::vector<TvrnDomElement> pending{root};
    while (!pending.empty()) {
        const TvrnDomElement element = pending.back();
        pending.pop_back();
        for (TvrnDomElement child = XMLFirstChildElement(element); child.Assigned();
             child = XMLNextSiblingElement(child))
            pending.push_back(child);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input = Folder() + QStringLiteral("/input.hx");
    const QString copy = Folder() + QStringLiteral("/copy.hx");
    Check(WriteFile(input, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))));
    {
        TXMZFile file;
        try {
            file.AssignFile_(input, true, TGUID());
        } catch (const EXMZError&) {
            Check(file.IsAssigned() || !QFile::exists(input)); // a read error leaves the file assigned
            return 0;
        }
        Walk(file.GetContent());
        Walk(file.GetHeader());
        XMLSaveToBytes(file.GetDocument(), QStringLiteral("UTF-16"));
    }
    // What was read saves into a new file that reads back to the same document.
    QFile::remove(copy);
    {
        TXMZFile file;
        file.AssignNewFile_(copy, TGUID());
        XMLRemoveAllChildren(file.GetContent());
        TXMZFile source;
        source.AssignFile_(input, true, TGUID());
        const TvrnDomElement from = source.GetContent();
        for (TvrnDomElement child = XMLFirstChildElement(from); child.Assigned(); child = XMLNextSiblingElement(child))
            XMLReplaceWithText(XMLAddChild(file.GetContent(), QStringLiteral("x")), XMLElementToText(child));
        file.Save();
    }
    TXMZFile check;
    check.AssignFile_(copy, true, TGUID());
    Check(check.GetContent().Assigned());
    return 0;
}
