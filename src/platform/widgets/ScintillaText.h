#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace ink::scintillatext {

// The code editor keeps its text as UTF-8 bytes, while the program counts in
// QString units. These conversions are exact inverses for every QString:
// a lone surrogate (which plain UTF-8 cannot hold) is stored as its own
// three-byte sequence instead of being replaced, so a page's text survives a
// round trip through the editor unchanged.

// One character of the byte text: how many bytes it takes and how many
// QString units it stands for.
struct Step {
    int bytes;
    int units;
};

// The character starting at `p`, with `available` bytes readable from there
// (at least 1). A byte that starts no well-formed sequence is one character.
Step stepAt(const char* p, qsizetype available);

QByteArray encode(QStringView text);
QString decode(const char* bytes, qsizetype length);
inline QString decode(const QByteArray& bytes)
{
    return decode(bytes.constData(), bytes.size());
}

}
