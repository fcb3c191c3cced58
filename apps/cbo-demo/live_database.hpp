#pragma once
// The demo's live list: a million customers in a SQLite file of their own
// (table `clienti`: Codice, the INTEGER PRIMARY KEY; Cliente, "Surname
// Name"; Comune and Provincia, one of the sample places), with the indexes a
// live list needs. The control reads it where it lies, never copying it.
#include <QString>
#include <cstdint>
#include <functional>

namespace cbo::demo {

inline constexpr const char* kLiveTable = "clienti";
inline constexpr int64_t kLiveRows = 1'000'000;

// cbo-demo-clienti.db in the folder of the settings file.
QString LiveDatabasePath(const QString& settingsFile);

// Makes the file when it does not exist yet (an existing one is left as it
// is), telling `progress` the rows written so far now and then. The rows go
// into FILE.part first, renamed when complete, so that an interrupted first
// run leaves nothing half-made. A file that cannot be made is a cbo::Error
// (Database) naming it.
void CreateLiveDatabase(const QString& file, const std::function<void(int64_t rows)>& progress);

}  // namespace cbo::demo
