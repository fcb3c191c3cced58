#include "apps/cbo-demo/live_database.hpp"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <array>
#include <memory>
#include <string>

#include "apps/cbo-demo/sample_data.hpp"
#include "platform/error.hpp"
#include "sqlite/live_sqlite.hpp"

namespace cbo::demo {

namespace {

const std::array<const char*, 40> kCognomi = {
    "Rossi",      "Russo",  "Ferrari",  "Esposito", "Bianchi",  "Romano",   "Colombo",   "Ricci",
    "Marino",     "Greco",  "Bruno",    "Gallo",    "Conti",    "De Luca",  "Mancini",   "Costa",
    "Giordano",   "Rizzo",  "Lombardi", "Moretti",  "Barbieri", "Fontana",  "Santoro",   "Mariani",
    "Rinaldi",    "Caruso", "Ferrara",  "Galli",    "Martini",  "Leone",    "Longo",     "Gentile",
    "Martinelli", "Vitale", "Lombardo", "Serra",    "Coppola",  "D'Angelo", "Marchetti", "Parisi"};
const std::array<const char*, 30> kNomi = {
    "Maria", "Giuseppe",  "Anna",   "Giovanni", "Lucia",   "Antonio",  "Francesca", "Mario",  "Giulia",    "Luigi",
    "Sofia", "Francesco", "Chiara", "Angelo",   "Elena",   "Vincenzo", "Sara",      "Pietro", "Marta",     "Salvatore",
    "Paola", "Carlo",     "Laura",  "Franco",   "Alessia", "Domenico", "Ilaria",    "Bruno",  "Nicoletta", "Niccolò"};

[[noreturn]] void CannotMake(const QString& file, const std::string& why) {
  throw Error(ErrorKind::Database, "database \"" + file.toStdString() + "\": cannot make the demo's customers: " + why);
}

using Connection = std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)>;

void Exec(const QString& file, sqlite3* db, const char* sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) CannotMake(file, sqlite3_errmsg(db));
}

void WriteRows(const QString& file, const std::function<void(int64_t)>& progress) {
  sqlite3* raw = nullptr;
  const std::string path = file.toStdString();
  const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Connection db(raw, &sqlite3_close_v2);
  if (opened != SQLITE_OK) CannotMake(file, db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(opened));
  // The indexes are on the list's own folding of letter case.
  RegisterFolding(db.get());
  Exec(file, db.get(),
       "CREATE TABLE clienti (Codice INTEGER PRIMARY KEY, Cliente TEXT NOT NULL, Comune TEXT, Provincia TEXT);"
       "BEGIN");
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db.get(), "INSERT INTO clienti VALUES (?, ?, ?, ?)", -1, &statement, nullptr) != SQLITE_OK)
    CannotMake(file, sqlite3_errmsg(db.get()));
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> insert(statement, &sqlite3_finalize);
  const std::vector<Luogo>& luoghi = Luoghi();
  // A fixed walk through names and places: the same file on every machine.
  uint64_t state = 20261209;
  for (int64_t row = 1; row <= kLiveRows; ++row) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const std::string cliente =
        std::string(kCognomi[(state >> 33) % kCognomi.size()]) + " " + kNomi[(state >> 45) % kNomi.size()];
    const Luogo& luogo = luoghi[(state >> 20) % luoghi.size()];
    sqlite3_bind_int64(statement, 1, row);
    sqlite3_bind_text(statement, 2, cliente.data(), static_cast<int>(cliente.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 3, luogo.Comune.data(), static_cast<int>(luogo.Comune.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 4, luogo.Provincia.data(), static_cast<int>(luogo.Provincia.size()), SQLITE_STATIC);
    if (sqlite3_step(statement) != SQLITE_DONE) CannotMake(file, sqlite3_errmsg(db.get()));
    sqlite3_reset(statement);
    if (row % 50'000 == 0 && progress) progress(row);
  }
  Exec(file, db.get(), "COMMIT");
  for (const char* index : {"CREATE INDEX clienti_cliente ON clienti(cbo_fold(Cliente), Codice)",
                            "CREATE INDEX clienti_comune ON clienti(cbo_fold(Comune), Codice)",
                            "CREATE INDEX clienti_provincia ON clienti(cbo_fold(Provincia), Codice)"}) {
    Exec(file, db.get(), index);
    if (progress) progress(kLiveRows);
  }
  // The filter finds a name anywhere in a row through its text index.
  for (const std::string& statement : FilterIndexStatements("clienti", "Codice", {"Cliente", "Comune", "Provincia"}))
    Exec(file, db.get(), statement.c_str());
  if (progress) progress(kLiveRows);
}

}  // namespace

QString LiveDatabasePath(const QString& settingsFile) {
  return QFileInfo(settingsFile).absoluteDir().filePath(QStringLiteral("cbo-demo-clienti.db"));
}

void CreateLiveDatabase(const QString& file, const std::function<void(int64_t rows)>& progress) {
  if (QFileInfo::exists(file)) return;
  const QString part = file + QStringLiteral(".part");
  QFile::remove(part);  // left by a run that was interrupted
  try {
    WriteRows(part, progress);
  } catch (const Error&) {
    QFile::remove(part);
    throw;
  }
  if (!QFile::rename(part, file)) {
    QFile::remove(part);
    CannotMake(file, "the finished file could not be renamed from " + part.toStdString());
  }
}

}  // namespace cbo::demo
