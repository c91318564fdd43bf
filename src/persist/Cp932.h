#pragma once

#include <QByteArray>
#include <QString>

namespace mofurin {

// The Japanese code page the game's files and network texts are written in.
// A character it cannot hold is written as "?"; undecodable bytes read as
// replacement characters, never as lost text around them.
QByteArray encodeCp932(const QString& text);
QString decodeCp932(const QByteArray& bytes);

}  // namespace mofurin
