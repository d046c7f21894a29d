#pragma once

// Data files written and read by hand, from the documented byte layout only (zlib directly,
// UTF-16LE with the byte-order mark, QXmlStreamReader), so tests can check the program's files
// against an independent reader and feed it files of an independent writer.

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <zlib.h>

namespace xmztest {

inline QByteArray Utf16LeWithBom(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

/// The plain form of a file holding xml.
inline QByteArray PlainFile(const QString& xml) {
    return Utf16LeWithBom(xml);
}

/// The compressed form: 00 01, then a zlib stream of the plain form.
inline QByteArray CompressedFile(const QString& xml) {
    const QByteArray plain = PlainFile(xml);
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    QByteArray out(static_cast<qsizetype>(size) + 2, Qt::Uninitialized);
    out[0] = '\x00';
    out[1] = '\x01';
    if (compress2(reinterpret_cast<Bytef*>(out.data() + 2), &size, reinterpret_cast<const Bytef*>(plain.constData()),
                  static_cast<uLong>(plain.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    out.resize(static_cast<qsizetype>(size) + 2);
    return out;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The text of a file: inflates a compressed file with zlib, then decodes UTF-16LE after the
/// byte-order mark. Empty (and *ok false) for anything else.
inline QString DecodeFile(const QByteArray& fileBytes, bool* compressed = nullptr, bool* ok = nullptr) {
    QByteArray plain = fileBytes;
    const bool isCompressed = fileBytes.size() >= 2 && fileBytes[0] == '\x00' && fileBytes[1] == '\x01';
    if (compressed)
        *compressed = isCompressed;
    if (ok)
        *ok = false;
    if (isCompressed) {
        z_stream s{};
        if (inflateInit(&s) != Z_OK)
            return {};
        plain.clear();
        char buffer[16384];
        s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(fileBytes.constData() + 2));
        s.avail_in = static_cast<uInt>(fileBytes.size() - 2);
        int code = Z_OK;
        do {
            s.next_out = reinterpret_cast<Bytef*>(buffer);
            s.avail_out = sizeof buffer;
            code = inflate(&s, Z_NO_FLUSH);
            plain.append(buffer, static_cast<qsizetype>(sizeof buffer - s.avail_out));
        } while (code == Z_OK);
        inflateEnd(&s);
        if (code != Z_STREAM_END)
            return {};
    }
    if (plain.size() < 2 || plain[0] != '\xFF' || plain[1] != '\xFE' || plain.size() % 2 != 0)
        return {};
    if (ok)
        *ok = true;
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(plain.constData() + 2), (plain.size() - 2) / 2);
}

/// The envelope of a data file as an independent XML reader sees it.
struct Envelope {
    bool ok = false;
    bool compressed = false;
    QString declaredEncoding;
    QString rootName;
    QString xmzversion;            // attribute of header
    QStringList headerOrder;       // names of the header's child elements, in order
    QMap<QString, QString> header; // their texts
    QStringList topLevel;          // child element names of the root, in order
    QStringList contentChildren;   // child element names of content
    QString text;                  // the whole XML text
};

inline Envelope ReadEnvelope(const QString& path) {
    Envelope env;
    bool decoded = false;
    env.text = DecodeFile(ReadBytes(path), &env.compressed, &decoded);
    if (!decoded)
        return env;
    QXmlStreamReader xml(env.text);
    int depth = 0;
    QString section;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartDocument) {
            env.declaredEncoding = xml.documentEncoding().toString();
        } else if (token == QXmlStreamReader::StartElement) {
            ++depth;
            const QString name = xml.name().toString();
            if (depth == 1) {
                env.rootName = name;
            } else if (depth == 2) {
                env.topLevel << name;
                section = name;
                if (name == QLatin1String("header"))
                    env.xmzversion = xml.attributes().value(QLatin1String("xmzversion")).toString();
            } else if (depth == 3 && section == QLatin1String("header")) {
                env.headerOrder << name;
                env.header[name] = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            } else if (depth == 3 && section == QLatin1String("content")) {
                env.contentChildren << name;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    env.ok = !xml.hasError();
    return env;
}

} // namespace xmztest
