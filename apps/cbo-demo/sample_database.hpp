#pragma once
// The demo's places in a SQLite file, so that its controls show rows read
// from a real database: a table `comuni` with the columns Codice, Comune,
// Provincia, Regione and CAP (all text), one row per place of Luoghi(), in
// that order.
#include <QString>

namespace cbo::demo {

// The table's name in the file.
inline constexpr const char* kSampleTable = "comuni";

// Where the demo keeps the file: cbo-demo.db in the folder of its settings
// file.
QString SampleDatabasePath(const QString& settingsFile);

// Makes the file when it does not exist yet; an existing file is left as it
// is. The rows go first into FILE.part, which is then renamed, so that an
// interrupted first run leaves no half-made file behind. A file that cannot
// be made is a cbo::Error (Database) naming it.
void CreateSampleDatabase(const QString& file);

}  // namespace cbo::demo
