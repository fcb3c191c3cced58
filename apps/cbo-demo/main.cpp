// cbo-demo: the control in its three styles over rows read from a SQLite
// file: by default the demo's own list of Italian places (cbo-demo.db, made
// on first run beside the settings file cbo-demo.ini), or a file of the
// user's; and a fourth control over a million customers that stay in their
// own SQLite file (cbo-demo-clienti.db, made on first run beside it):
//   cbo-demo [--db FILE] [--query SQL] [--offscreen [DIR]]
// --db FILE reads the first table of FILE (the first one created), every
// column; --query SQL reads the rows of that query instead (on FILE, or on
// the demo's own file). With no display, or with --offscreen DIR, it plays a
// short tour on its own and writes a screenshot of each step into DIR
// (./tour by default).
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "apps/cbo-demo/demo_source.hpp"
#include "apps/cbo-demo/demo_window.hpp"
#include "apps/cbo-demo/live_database.hpp"
#include "apps/cbo-demo/tour.hpp"
#include "platform/error.hpp"

namespace {

int Usage(const char* problem) {
  std::fprintf(stderr, "cbo-demo: %s\nusage: cbo-demo [--db FILE] [--query SQL] [--offscreen [DIR]]\n", problem);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string dir;
  QString db, query;
  bool tour = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--offscreen") == 0) {
      tour = true;
      if (i + 1 < argc && argv[i + 1][0] != '-') dir = argv[++i];
    } else if (std::strcmp(argv[i], "--db") == 0 || std::strcmp(argv[i], "--query") == 0) {
      if (i + 1 >= argc) return Usage((std::string(argv[i]) + " needs a value").c_str());
      const QString value = QString::fromLocal8Bit(argv[i + 1]);
      if (std::strcmp(argv[i], "--db") == 0)
        db = value;
      else
        query = value;
      ++i;
    } else {
      return Usage((std::string("unknown argument ") + argv[i]).c_str());
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
  // A failure shows in the window's message line; the tour fails with it.
  QString failure;
  try {
    const cbo::demo::DemoSource source = cbo::demo::ChooseSource(db, query, window.Percorso().text());
    if (tour) std::printf("database: %s\n", source.file.toLocal8Bit().constData());
    window.LoadRows(source);
    window.LoadLive(cbo::demo::LiveDatabasePath(window.Percorso().text()));
  } catch (const cbo::Error& e) {
    failure = QString::fromUtf8(e.what());
    window.ShowMessage(failure);
  }
  if (!tour) return app.exec();
  if (!failure.isEmpty()) {
    std::fprintf(stderr, "error: %s\n", failure.toLocal8Bit().constData());
    return 1;
  }

  cbo::demo::Tour guide(window, QString::fromStdString(dir));
  guide.Start();
  app.exec();
  for (const QString& shot : guide.Shots()) std::printf("screenshot: %s\n", shot.toLocal8Bit().constData());
  for (const QString& error : guide.Errors()) std::fprintf(stderr, "error: %s\n", error.toLocal8Bit().constData());
  return guide.Errors().isEmpty() ? 0 : 1;
}
