#pragma once

#include <QString>

// Every screen by its name: a screen opens, finds and closes another by it
// through the form manager, without knowing the other's class, and the
// driver addresses widgets by it ("Form4.BATTLE").
namespace mofurin::screen {

inline const QString Battle = QStringLiteral("Form1");
inline const QString Title = QStringLiteral("Form2");
inline const QString Starters = QStringLiteral("Form3");
inline const QString Hub = QStringLiteral("Form4");
inline const QString Shop = QStringLiteral("Form5");
inline const QString Learning = QStringLiteral("Form6");
inline const QString Story = QStringLiteral("Form7");
inline const QString Roster = QStringLiteral("Form8");
inline const QString HallOfFame = QStringLiteral("Form9");
inline const QString Link = QStringLiteral("Form11");
inline const QString HostFinder = QStringLiteral("FormHosts");
inline const QString Replays = QStringLiteral("FormReplays");
inline const QString Settings = QStringLiteral("FormSettings");

}  // namespace mofurin::screen
