#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include "game/Techniques.h"

namespace mofurin::test {

// One driver process, fed a few commands at a time.
class DriverSession {
 public:
  explicit DriverSession(const QString& workingFolder, const QStringList& arguments = {}) {
    process_.setWorkingDirectory(workingFolder);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(QStringLiteral(MOFURIN_BIN_DIR "/mofurin-drive"), arguments);
  }
  ~DriverSession() {
    process_.closeWriteChannel();
    if (!process_.waitForFinished(5000)) process_.kill();
  }

  // Sends the commands and a closing "screens"; returns what came back up to
  // the screens line, or up to the end of the program or an error.
  QStringList send(const QStringList& commands) {
    post(commands);
    return collect();
  }
  // The same in two steps, so that two drivers can work at the same time.
  void post(const QStringList& commands) {
    process_.write((commands.join(u'\n') + QStringLiteral("\nscreens\n")).toUtf8());
    process_.waitForBytesWritten(5000);  // now, not when this process next reads
  }
  QStringList collect() {
    QStringList lines;
    while (true) {
      while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(20000)) {
          return lines << QStringLiteral("error: no answer (%1, exit %2)")
                              .arg(process_.errorString())
                              .arg(process_.exitCode());
        }
      }
      const QString line = QString::fromUtf8(process_.readLine()).chopped(1);
      lines << line;
      if (line.startsWith(u"screens = ") || line == u"[end]" || line.startsWith(u"error:")) return lines;
    }
  }

  // Ends the driver at once, as a crash or a pulled plug would.
  void kill() {
    process_.kill();
    process_.waitForFinished(5000);
  }

 private:
  QProcess process_;
};

// Whether the last screens line lists the screen as shown.
inline bool shown(const QStringList& out, const QString& screen) {
  return !out.isEmpty() && out.last().startsWith(u"screens = ") && out.last().mid(10).split(u' ').contains(screen);
}

// Confirms the first usable technique when the player may choose.
inline void chooseIfAsked(DriverSession& d) {
  QStringList out = d.send({"print Form1.HV125.visible"});
  if (!out.contains("Form1.HV125.visible = true") || !shown(out, "Form1")) return;
  out = d.send({"print Form1.WAZA.items"});
  for (const QString& line : out) {
    if (!line.startsWith("Form1.WAZA.items = ")) continue;
    for (const QString& item : line.mid(19).split(u'|')) {
      if (item == kNoTechnique) continue;
      d.send({"select Form1.WAZA " + item, "wait 16", "click Form1.IIYO(0)"});
      return;
    }
  }
}

}  // namespace mofurin::test
