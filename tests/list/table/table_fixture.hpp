#pragma once
// Shared helpers of the table tests: a table opened with the control's own
// schema command and a check for the error and its message.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "list/table/memory_recordset.hpp"
#include "platform/error.hpp"

namespace cbo::testing {

inline const char* kSchema =
    "SHAPE APPEND New adVarChar(100) As Codice, New adVarChar(100) As Descrizione, "
    "New adVarChar(100) As _Index_Cmbo_Varno_ ";

// `action` raises an Error of `kind` whose message contains every one of `parts`.
inline void ExpectError(const std::function<void()>& action, const std::vector<std::string>& parts = {},
                        ErrorKind kind = ErrorKind::Table) {
  try {
    action();
    ADD_FAILURE() << "no error raised";
  } catch (const Error& e) {
    EXPECT_STREQ(KindName(e.kind()), KindName(kind)) << e.what();
    for (const std::string& part : parts)
      EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what() << " lacks " << part;
  }
}

class OpenTable : public ::testing::Test {
protected:
  void SetUp() override { table.Open(kSchema); }

  void AddRow(const Variant& codice, const Variant& descrizione = Variant("")) {
    table.AddNew();
    table.SetField("Codice", codice);
    table.SetField("descrizione", descrizione);
    table.SetField("_Index_Cmbo_Varno_", Variant(++lastIndex));
    table.Update();
  }

  // The index field of every row in the present order.
  std::vector<std::string> Indices() const {
    std::vector<std::string> out;
    for (int32_t p = 0; p < table.RecordCount(); ++p) out.push_back(table.ValueAt(p, 2).AsString());
    return out;
  }

  // The current row's index field, or "EOF".
  std::string Current() const { return table.Eof() ? "EOF" : table.Field("_Index_Cmbo_Varno_").AsString(); }

  MemoryRecordset table;
  int32_t lastIndex = 0;
};

}  // namespace cbo::testing
