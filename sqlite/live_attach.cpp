// Opening a live SQLite table: the file, the table, its columns and its key
// checked first (nothing of the control is touched until they are), then the
// indexes its finds and sorts need looked for (sqlite/live_checks.hpp), and
// the filter's text index (sqlite/filter_index.hpp).
#include "control/cbo_varno.hpp"
#include "fill/live_open.hpp"
#include "list/list_store.hpp"
#include "list/table/live_recordset.hpp"
#include "sqlite/live_checks.hpp"
#include "sqlite/live_connection.hpp"
#include "sqlite/live_sqlite.hpp"
#include "sqlite/messages.hpp"

namespace cbo {

LiveSqlite OpenLiveSqlite(const std::string& file, const std::string& table, const std::string& key,
                          const std::vector<std::string>& fields, int32_t timeLimitMs) {
  auto db = std::make_shared<sqlite::LiveConnection>(file);
  db->SetTimeLimit(timeLimitMs);
  const std::string where = "database " + sqlite::Quoted(db->File());
  sqlite::CheckLiveTable(*db, where, table, key, fields);
  db->UseFilterIndex(sqlite::FindFilterIndex(*db, table));
  LiveSqlite live;
  live.table = std::make_shared<LiveRecordset>(db, LiveTableSpec{table, fields, key, kIndexField});
  live.missingIndexes = sqlite::MissingIndexes(*db, table, key, fields);
  RequireIndexes(where, table, live.table->RecordCount(), live.missingIndexes);
  return live;
}

LiveSqlite AttachSqlite(CboVarno& control, const std::string& file, const std::string& table, const std::string& key,
                        const std::vector<std::string>& fields, int32_t timeLimitMs) {
  // A list with columns reads them in its own order.
  LiveSqlite live = OpenLiveSqlite(file, table, key, FieldsInColumnOrder(control, fields), timeLimitMs);
  control.AttachTable(live.table);
  return live;
}

}  // namespace cbo
