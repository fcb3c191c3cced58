// Page reads on a worker thread: each read runs there on the clone of the
// list's connection, and its rows (or its failure) are posted back.
#include "qt_sql/live_page_loader.hpp"

#include <QSqlError>
#include <QThread>
#include <atomic>
#include <optional>

#include "qt_sql/live_qpsql.hpp"
#if CBO_LIVE_QSQLITE
#include "qt_sql/live_qsqlite.hpp"
#endif

namespace cbo::qt_sql {

namespace {

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

bool InMemory(const QSqlDatabase& db) {
  const QString name = db.databaseName();
  return db.driverName() == "QSQLITE" &&
         (name.isEmpty() || name == ":memory:" || name.startsWith("file::memory:") || name.contains("mode=memory"));
}

class QtPageLoader final : public LivePageLoader {
public:
  explicit QtPageLoader(const QSqlDatabase& db)
      : source_(db.connectionName()),
        name_(QStringLiteral("cbo_pages_%1_%2").arg(reinterpret_cast<quintptr>(this)).arg(++made_)),
        worker_(std::make_unique<QObject>()) {
    worker_->moveToThread(&thread_);
    thread_.start();
  }

  ~QtPageLoader() override {
    // After the read under way, if any (its statement stopped at the time
    // limit): the clone is closed on its thread, and the worker comes back
    // to be destroyed here.
    QThread* here = QThread::currentThread();
    QMetaObject::invokeMethod(
        worker_.get(),
        [this, here] {
          database_.reset();
          if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
          worker_->moveToThread(here);
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
  }

  void Load(Read read, std::shared_ptr<const std::atomic<bool>> wanted, Done done) override {
    QMetaObject::invokeMethod(
        worker_.get(),
        [this, read = std::move(read), wanted = std::move(wanted), done = std::move(done)]() mutable {
          if (!*wanted) return;
          std::vector<LiveRow> rows;
          std::optional<Error> failure;
          try {
            rows = read(Database());
          } catch (const Error& e) {
            failure = e;
          }
          QMetaObject::invokeMethod(
              &receiver_,
              [done = std::move(done), rows = std::move(rows), failure = std::move(failure)]() mutable {
                done(std::move(rows), failure ? &*failure : nullptr);
              },
              Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
  }

private:
  // The clone, opened at the first read (on the worker thread); a failure
  // to open it is that read's failure, and the next read tries again.
  LiveDatabase& Database() {
    if (database_) return *database_;
    std::string failure;
    {
      QSqlDatabase db = QSqlDatabase::cloneDatabase(source_, name_);
      if (db.open()) {
        database_ = Made(db);
        return *database_;
      }
      failure = "connection \"" + Utf8(source_) + "\" could not be opened again to read pages of the list" +
                (db.lastError().isValid() ? ": " + Utf8(db.lastError().text()) : std::string());
    }
    QSqlDatabase::removeDatabase(name_);
    throw Error(ErrorKind::Database, failure);
  }

  static std::unique_ptr<QtLiveDatabase> Made(const QSqlDatabase& db) {
#if CBO_LIVE_QSQLITE
    if (db.driverName() == "QSQLITE") {
      auto live = std::make_unique<QsqliteLive>(db);
      live->OwnConnection();
      return live;
    }
#endif
    auto live = std::make_unique<QpsqlLive>(db);
    live->OwnConnection();
    return live;
  }

  static inline std::atomic<int> made_ = 0;
  const QString source_, name_;
  QObject receiver_;  // on the thread that made the loader: where `done` runs
  QThread thread_;
  std::unique_ptr<QObject> worker_;           // on thread_ while it runs
  std::unique_ptr<QtLiveDatabase> database_;  // used on thread_ only
};

}  // namespace

std::unique_ptr<LivePageLoader> PageLoaderFor(const QSqlDatabase& db) {
  if (InMemory(db) || (db.driverName() != "QSQLITE" && db.driverName() != "QPSQL")) return nullptr;
  return std::make_unique<QtPageLoader>(db);
}

}  // namespace cbo::qt_sql
