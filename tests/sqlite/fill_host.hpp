#pragma once
// A control on the headless platform for the database fill tests, what its
// list holds, and a snapshot of everything a refused fill must leave as it
// was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "control/cbo_varno.hpp"
#include "control/type_library.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "grid/process_state.hpp"
#include "list/list_store.hpp"

namespace cbo::test {

struct FillHost {
  explicit FillHost(uint8_t style = ListCombo) {
    control = CreateObject("CboVarno", container, shared);
    control->InitProperties();
    container.Resize(4500, 315);
    control->SetStileCbo(style);
  }
  CboVarno& c() { return *control; }

  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container{platform};
  std::unique_ptr<CboVarno> control;
};

// Every row of the list in its present order, each value as its text or
// "<Null>", the row index last.
inline std::vector<std::vector<std::string>> ListRows(CboVarno& c) {
  std::vector<std::vector<std::string>> rows;
  const RecordsetRef& table = c.Lista().Rcset_Cbo();
  if (!table || table->State() != 1) return rows;
  for (int32_t r = 0; r < table->RecordCount(); ++r) {
    std::vector<std::string> row;
    for (int32_t f = 0; f < table->FieldCount(); ++f) {
      const Variant v = table->ValueAt(r, f);
      row.push_back(v.IsNull() ? "<Null>" : v.AsString());
    }
    rows.push_back(row);
  }
  return rows;
}

inline std::vector<std::string> FieldNames(CboVarno& c) {
  std::vector<std::string> names;
  for (const ColumnDef& d : c.Lista().Matrice_Campi()) names.push_back(d.Nome_Field);
  return names;
}

// What a refused or cancelled fill leaves exactly as it was.
struct ListState {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> fields;
  int32_t maxIndex = 0;
  int32_t position = -1;
  std::string text, tag;
  bool loading = false;
  bool operator==(const ListState&) const = default;
};

inline void PrintTo(const ListState& s, std::ostream* os) {
  *os << "MaxIndex " << s.maxIndex << ", position " << s.position << ", text \"" << s.text << "\", tag \"" << s.tag
      << "\"" << (s.loading ? ", loading" : "") << ", fields";
  for (const std::string& f : s.fields) *os << " " << f;
  *os << ", " << s.rows.size() << " rows:";
  for (size_t r = 0; r < s.rows.size(); ++r) {
    if (r == 12) {
      *os << "\n    ...";
      break;
    }
    const auto& row = s.rows[r];
    *os << "\n   ";
    for (const std::string& v : row) *os << " \"" << v << "\"";
  }
}

inline ListState StateOf(CboVarno& c, const ProcessState& shared) {
  ListState s;
  s.rows = ListRows(c);
  s.fields = FieldNames(c);
  s.maxIndex = c.Lista().MaxIndex();
  const RecordsetRef& table = c.Lista().Rcset_Cbo();
  if (table && table->State() == 1) s.position = table->Position();
  s.text = c.Txt_Cbo().Text();
  s.tag = c.Txt_Cbo().Tag();
  s.loading = shared.CaricamentoInCorso();
  return s;
}

inline ListState StateOf(FillHost& h) { return StateOf(h.c(), h.shared); }

// A list with two columns and two rows, the first chosen.
inline void TwoTowns(CboVarno& c) {
  c.AddField("Comune");
  c.AddField("Prov");
  for (const auto& [comune, prov] : {std::pair{"Roma", "RM"}, std::pair{"Forlì", "FC"}}) {
    c.ListItem("Comune", Variant(comune));
    c.ListItem("Prov", Variant(prov));
    c.AddItem();
  }
}

// A fresh folder under the system's temporary folder, removed with its files.
class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "cbo-fill-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
  std::filesystem::path path_;
};

// The error a call raises (the test fails when it raises none).
template <class Call>
Error ErrorOf(Call call) {
  try {
    call();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return Error(ErrorKind::Widget, "none");
}

}  // namespace cbo::test
