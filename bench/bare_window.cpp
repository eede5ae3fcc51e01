// A plain Qt window with a given number of widgets, the yardstick for the
// tool's start-up time and memory. Usage: bare-window WIDGETS
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const int widgets = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1;
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  auto* grid = new QGridLayout(&window);
  for (int i = 1; i < widgets; ++i)
    grid->addWidget(new QCheckBox(QString::number(i), &window), (i - 1) / 8, (i - 1) % 8);
  window.show();
  return app.exec();
}
