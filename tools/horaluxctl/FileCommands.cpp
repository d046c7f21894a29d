// horaluxctl file dump | pack: look into data files and write them from XML.

#include "CtlCommands.h"

#include "foundation/VRNException.h"
#include "foundation/XMZCodec.h"
#include "foundation/XMZFile.h"
#include "foundation/platform/InstanceLock.h"

#include <QFile>
#include <QFileInfo>

namespace {
const char* const Help =
    "file dump FILE\n"
    "    Prints the header fields of a data file, then its XML as UTF-8 text. Nothing is written;\n"
    "    the file may be in use by Horalux.\n"
    "file pack XML OUT [--plain|--compressed] [--type GUID]\n"
    "    Writes the data file OUT whose content is the children of the root element of the XML\n"
    "    file (any encoding with a byte-order mark or declaration, else UTF-8). When the root is\n"
    "    itself a data file's envelope (xmzdocument, as 'file dump' prints it), the children of its\n"
    "    content are taken. OUT is saved safely through a temporary file. An existing OUT keeps its\n"
    "    header (identity, save counter); it must be a readable data file of the given type and\n"
    "    not open for writing by another program. --compressed (default) writes the zlib form,\n"
    "    --plain the UTF-16 text. --type GUID sets the file type ({XXXXXXXX-XXXX-XXXX-XXXX-\n"
    "    XXXXXXXXXXXX}); without it a new file has no type and an existing one keeps its own.\n"
    "    Refused while Horalux runs.\n";

int Fail(TCtlIO& io, const QString& file, const std::exception& e) {
    io.err << "horaluxctl: " << file << ": " << ExceptionToText(e) << "\n";
    return CtlExitFailure;
}

int Usage(TCtlIO& io, const QString& problem) {
    io.err << "horaluxctl: " << problem << "\n\n" << Help;
    return CtlExitUsage;
}

QString Form(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return XMZIsCompressed(file.read(2)) ? QStringLiteral("compressed (zlib)") : QStringLiteral("plain (UTF-16)");
}

int Dump(const QStringList& args, TCtlIO& io) {
    if (args.size() != 1)
        return Usage(io, QStringLiteral("file dump needs exactly one FILE"));
    const QString name = args.first();
    try {
        TXMZFile file;
        file.AssignFile_(name, true, TGUID());
        const TvrnDomDocument document = file.GetDocument();
        const TvrnDomElement header = file.GetHeader();
        io.out << "file: " << name << "\n";
        io.out << "form: " << Form(name) << "\n";
        io.out << "xmzversion: " << XMLGetValue(header, QStringLiteral("xmzversion")) << "\n";
        for (TvrnDomElement field = XMLFirstChildElement(header); field.Assigned();
             field = XMLNextSiblingElement(field))
            io.out << XMLNodeName(field) << ": " << XMLTextContent(field) << "\n";
        io.out << "\n" << QString::fromUtf8(XMLSaveToBytes(document, QStringLiteral("UTF-8"))) << "\n";
        return CtlExitOk;
    } catch (const std::exception& e) {
        return Fail(io, name, e);
    }
}

/// The elements that become the content: the root's children, or those of an envelope's content.
TvrnDomElement ContentSource(const TvrnDomDocument& document) {
    const TvrnDomElement root = XMLDocumentElement(document);
    if (XMLNodeName(root) == QLatin1String("xmzdocument"))
        for (TvrnDomElement child = XMLFirstChildElement(root); child.Assigned(); child = XMLNextSiblingElement(child))
            if (XMLNodeName(child).compare(QLatin1String("content"), Qt::CaseInsensitive) == 0)
                return child;
    return root;
}

int Pack(const QStringList& args, TCtlIO& io) {
    QStringList files;
    bool compress = true;
    TGUID type;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--plain")) {
            compress = false;
        } else if (arg == QLatin1String("--compressed")) {
            compress = true;
        } else if (arg == QLatin1String("--type")) {
            if (++i == args.size())
                return Usage(io, QStringLiteral("--type needs a GUID"));
            try {
                type = TGUID::FromString(args[i]);
            } catch (const EVRNConvertError& e) {
                return Usage(io, e.Message());
            }
        } else if (arg.startsWith(QLatin1String("--"))) {
            return Usage(io, QStringLiteral("unknown option ") + arg);
        } else {
            files << arg;
        }
    }
    if (files.size() != 2)
        return Usage(io, QStringLiteral("file pack needs XML and OUT"));
    const QString input = files[0];
    const QString output = files[1];

    // Everything is read before anything is written.
    TvrnDomDocument source;
    try {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly))
            throw EVRNException(QStringLiteral("Cannot open file \"%1\". %2").arg(input, file.errorString()));
        source = XMLLoadFromBytes(file.readAll());
    } catch (const std::exception& e) {
        return Fail(io, input, e);
    }

    // Horalux keeps its data files open and rewrites them whenever it saves: never write while it
    // runs, and keep it from starting until this write is done.
    TInstanceLock programLock;
    if (!programLock.FileName().isEmpty() && !programLock.TryAcquire()) {
        io.err << "horaluxctl: " << output << ": Horalux is running; quit it before writing data files\n";
        return CtlExitFailure;
    }

    try {
        TXMZFile file;
        file.SetCompress(compress);
        if (QFileInfo::exists(output)) {
            file.AssignFile_(output, false, type);
            file.GetContent(); // a damaged file raises here, before anything is written
            file.ClearContent_();
        } else {
            file.AssignNewFile_(output, type);
        }
        const TvrnDomElement content = file.GetContent();
        const TvrnDomElement from = ContentSource(source);
        for (TvrnDomElement child = XMLFirstChildElement(from); child.Assigned(); child = XMLNextSiblingElement(child))
            XMLReplaceWithText(XMLAddChild(content, QStringLiteral("placeholder")), XMLElementToText(child));
        file.Save();
        io.out << "wrote " << output << "\n";
        return CtlExitOk;
    } catch (const std::exception& e) {
        return Fail(io, output, e);
    }
}
} // namespace

TCtlCommandGroup FileCommandGroup() {
    return TCtlCommandGroup{
        QStringLiteral("file"),
        QStringLiteral("inspect and write data files"),
        QString::fromLatin1(Help),
        [](const QStringList& args, TCtlIO& io) {
            if (args.isEmpty())
                return Usage(io, QStringLiteral("file needs a command: dump or pack"));
            if (args.first() == QLatin1String("dump"))
                return Dump(args.mid(1), io);
            if (args.first() == QLatin1String("pack"))
                return Pack(args.mid(1), io);
            return Usage(io, QStringLiteral("unknown file command '") + args.first() + QStringLiteral("'"));
        },
    };
}
