#pragma once

#include "foundation/VRNException.h"

#include <QByteArray>

/// zlib reported an error while compressing or decompressing.
VRN_DECLARE_EXCEPTION(EZLibError, EVRNException);
/// Raises EZLibError "<operation> failed: <detail>": zlib's message for the stream or, without
/// one, the text of the code.
[[noreturn]] void RaiseZLibError(const char* operation, int code, const char* streamMessage);

// The byte layer of data files. A file holds either the plain form (the XML text in UTF-16
// little-endian, starting with the byte-order mark FF FE) or the compressed form: the two bytes
// 00 01 (the 16-bit little-endian value 256) followed by a zlib stream (RFC 1950) whose
// decompressed bytes are again a file in one of the two forms.

/// The marker that starts the compressed form.
constexpr char XMZCompressedMarker[2] = {'\x00', '\x01'};

/// Whether bytes start with the compression marker.
bool XMZIsCompressed(const QByteArray& bytes);

/// How far decoding goes before it gives up: the number of nested compression layers tolerated
/// and the largest size one layer may decompress to.
struct TXMZDecodeLimits {
    int maxLayers = 4;
    qsizetype maxSize = qsizetype(256) << 20;
};

/// The plain form inside a file's bytes: removes the compression layers (the writer never nests
/// them, the reader tolerates a few) and returns the rest unchanged. Raises EZLibError for a damaged
/// or truncated zlib stream, for nesting deeper than limits.maxLayers, and for data that would
/// decompress beyond limits.maxSize (by default beyond the size any data file can have).
QByteArray XMZDecodeBytes(const QByteArray& fileBytes, const TXMZDecodeLimits& limits = TXMZDecodeLimits());

/// The file's bytes for the plain form: the plain form itself, or the marker and a zlib stream at
/// the default compression level.
QByteArray XMZEncodeBytes(const QByteArray& plainBytes, bool compress);

/// Inflates one zlib stream, 64 KiB of output at a time. Bytes after the end of the stream are
/// ignored. Raises EZLibError, also as soon as the output would exceed maxSize.
QByteArray XMZInflate(const char* data, qsizetype size, qsizetype maxSize = TXMZDecodeLimits().maxSize);
/// Deflates into one zlib stream at the default level.
QByteArray XMZDeflate(const QByteArray& data);
