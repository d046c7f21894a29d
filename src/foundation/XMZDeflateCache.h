#pragma once

#include <QByteArray>
#include <QHash>

/// Compresses the bytes of one file for saving and keeps the compressed pieces of the last save,
/// so that saving the file again compresses only the parts that changed.
///
/// The bytes are cut where a rolling hash over the last bytes meets a condition, so the cuts
/// follow the content: a change moves no cut outside the region it touches. Every piece is
/// deflated at the default level with the 32 KiB before it as its dictionary (as one stream would
/// see them) and ends byte-aligned with a sync flush; the pieces, a final empty block, the zlib
/// header and the Adler-32 of all bytes form one ordinary zlib stream (RFC 1950) that any reader
/// inflates to the same bytes. A piece of the last save is taken over only when its bytes and the
/// bytes of its dictionary are equal to the new ones, not merely their hash.
class TXMZDeflateCache {
public:
    /// The zlib stream of plain. The bytes from separateFrom on (when it is inside plain) do not
    /// refer to the bytes before it, so that a change before it leaves the pieces after it
    /// valid. Raises EZLibError.
    QByteArray Deflate(const QByteArray& plain, qsizetype separateFrom = -1);
    /// Forgets the pieces of the last save.
    void Clear();
    /// How many pieces the last Deflate compressed anew and how many it took from the save before.
    int LastCompressed() const { return m_lastCompressed; }
    int LastReused() const { return m_lastReused; }

private:
    struct TPiece {
        qsizetype offset = 0;     ///< where the piece starts in m_plain
        qsizetype length = 0;     ///< its length
        qsizetype dictionary = 0; ///< how many bytes before it served as dictionary
        QByteArray packed;
    };
    /// The bytes of the last save, and its pieces by the hash of their bytes.
    QByteArray m_plain;
    QMultiHash<size_t, TPiece> m_pieces;
    int m_lastCompressed = 0;
    int m_lastReused = 0;
};
