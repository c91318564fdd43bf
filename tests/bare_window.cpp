// A bare Qt window: what the game's start-up and memory are measured
// beside (startup_bench.cpp). It shows a line of Japanese text, as any
// window of the game does, so the fonts are the toolkit's cost, not ours.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("モフリンＧＰ"));
  window.resize(480, 360);
  window.show();
  return QApplication::exec();
}
