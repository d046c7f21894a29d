#pragma once

#include <QByteArray>
#include <QHash>

/// Compresses the bytes of one file for saving and keeps the compressed pieces of the last save,
/// so that saving the file again compresses only the parts that changed.
///
/// The bytes are cut where a rolling hash over the last bytes meets a condition, so the cuts
/// follow the content: a change moves no cut outside the region it touches. Every piece is
/// deflated on its own at the default level and ends byte-aligned with a sync flush; the pieces,
/// a final empty block, the zlib header and the Adler-32 of all bytes form one ordinary zlib
/// stream (RFC 1950) that any reader inflates to the same bytes. A piece is taken from the last
/// save only when its bytes are equal, not merely their hash.
class TXMZDeflateCache {
public:
    /// The zlib stream of plain. Raises EZLibError.
    QByteArray Deflate(const QByteArray& plain);
    /// Forgets the pieces of the last save.
    void Clear() { m_pieces.clear(); }
    /// How many pieces the last Deflate compressed anew and how many it took from the save before.
    int LastCompressed() const { return m_lastCompressed; }
    int LastReused() const { return m_lastReused; }

private:
    struct TPiece {
        QByteArray plain;
        QByteArray packed;
    };
    QMultiHash<size_t, TPiece> m_pieces;
    int m_lastCompressed = 0;
    int m_lastReused = 0;
};
