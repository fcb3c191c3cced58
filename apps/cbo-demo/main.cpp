// cbo-demo: the control in its three styles over a list of Italian places.
// With no display, or with --offscreen DIR, it plays a short tour on its own
// and writes a screenshot of each step into DIR (./tour by default).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "apps/cbo-demo/demo_window.hpp"
#include "apps/cbo-demo/tour.hpp"

int main(int argc, char** argv) {
  std::string dir;
  bool tour = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--offscreen") == 0) {
      tour = true;
      if (i + 1 < argc) dir = argv[++i];
    }
  }
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((!x11 || !*x11) && (!wayland || !*wayland)) tour = true;
  if (tour) {
    if (dir.empty()) dir = "tour";
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }

  QApplication app(argc, argv);
  cbo::demo::DemoWindow window;
  window.move(20, 20);
  window.show();
  if (!tour) return app.exec();

  cbo::demo::Tour guide(window, QString::fromStdString(dir));
  guide.Start();
  app.exec();
  for (const QString& shot : guide.Shots()) std::printf("screenshot: %s\n", shot.toLocal8Bit().constData());
  for (const QString& error : guide.Errors()) std::fprintf(stderr, "error: %s\n", error.toLocal8Bit().constData());
  return guide.Errors().isEmpty() ? 0 : 1;
}
