#pragma once

#include <QByteArray>
#include <QString>

// The Greek Windows code page, our own table in both directions. All 256 byte
// values decode to a distinct character (bytes the code page leaves undefined
// go to the private-use characters U+F700 + byte), so any bytes read and
// written back unchanged stay byte-identical.
namespace cp1253 {

QChar decodeByte(unsigned char byte);
QString decode(const char* bytes, int length);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), int(bytes.size())); }

// True when the code page can store this character.
bool canEncode(QChar ch);
bool canEncode(const QString& text);
// The byte that stores this character, or -1 when the code page cannot hold
// it: one look-up, since every imported character comes this way.
extern const qint16* const kByteFor;
inline int byteFor(QChar ch) { return kByteFor[ch.unicode()]; }

// For a Latin letter with an accent the code page lacks, the same letter
// without it (é gives e, ñ gives n); a null QChar for any other character.
QChar foldedLetter(QChar ch);

// Encodes text; a character the code page cannot hold becomes '?' and, when
// `ok` is given, sets it to false.
QByteArray encode(const QString& text, bool* ok = nullptr);

}  // namespace cp1253
