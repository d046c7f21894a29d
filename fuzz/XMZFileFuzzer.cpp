// Feeds arbitrary bytes to the data-file reader as a file on disk: compression layers, zlib, the
// UTF-16 text, the XML and the envelope checks together. Every input must either read or raise
// one of the data-file errors; a file that read must save and read back to the same document.

#include "foundation/XMZFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {
void Check(bool condition) {
    if (!condition)
        std::abort();
}

QString Folder() {
    static const QString folder = [] {
        // A memory file system where there is one: saving syncs every file.
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        QByteArray templ = base.toUtf8() + "/fuzz_xmz_XXXXXX";
        Check(::mkdtemp(templ.data()) != nullptr);
        return QString::fromUtf8(templ);
    }();
    return folder;
}

bool WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
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
