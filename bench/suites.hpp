#pragma once
// Each side registers its benchmarks for one size; iterations of the
// repeated ones (sort, open) come from the run's settings.
#include <cstddef>

namespace bench {

void RegisterOurs(size_t n, int repetitions);
// Our control on the Qt platform; nothing when the Qt platform is not built.
void RegisterOursQt(size_t n, int repetitions);
// Qt's own widgets and models; nothing without Qt.
void RegisterPeer(size_t n, int repetitions);
void RegisterFloor(size_t n, int repetitions);
// The drop-down's filter over our table, key by key.
void RegisterOursFilter(size_t n, int repetitions);
// Qt's QSortFilterProxyModel on the same rows and keys, the first keys
// after the fill and `laterRounds` rounds more; nothing without Qt.
void RegisterPeerFilter(size_t n, int laterRounds);
// The bulk fill from memory and the fill from a SQLite file.
void RegisterOursDatabase(size_t n);
// A live list on a SQLite file of the same rows, never copied.
void RegisterOursLive(size_t n);
// Qt's QSqlQueryModel on the same file; nothing without Qt's SQL module.
void RegisterPeerDatabase(size_t n);
// The same live list, and Qt's QSqlQueryModel unless `peer` is false, on a
// PostgreSQL table of the same rows; nothing without Qt's SQL module.
void RegisterLivePg(size_t n, bool peer);
// Whether the run was given a PostgreSQL server (CBO_PG_SOCKET_DIR,
// CBO_PG_PORT and CBO_PG_USER, as bench/run sets them).
bool PostgresGiven();
// Creates the application object the Qt parts need (offscreen); false without Qt.
bool StartQt(int& argc, char** argv);
// Releases what the Qt parts hold, the application object last.
void StopQt();

}  // namespace bench
