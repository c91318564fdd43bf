#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace mofurin {

// The Japanese code page the game's files and network texts are written in.
// A character it cannot hold is written as "?"; undecodable bytes read as
// replacement characters, never as lost text around them.
QByteArray encodeCp932(const QString& text);
QString decodeCp932(const QByteArray& bytes);

// Whether every character of text has a code page 932 form.
bool fitsCp932(const QString& text);

// The text of bytes that are code page 932 text, nothing otherwise: single
// bytes 0x00-0x7F and 0xA1-0xDF, lead bytes 0x81-0x9F and 0xE0-0xFC each
// followed by a trail byte 0x40-0x7E or 0x80-0xFC, and every pair a character.
std::optional<QString> decodeCp932Strictly(const QByteArray& bytes);

}  // namespace mofurin
