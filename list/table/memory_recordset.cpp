// The in-memory table: fields declared by the schema command, rows stored per
// field by slot, a present order of slots with their ranks (row_order.hpp),
// one current row and a pending row.
//
// Find never does more than read a field's rows once. A field searched by a
// whole number, as the hidden row index is, is answered by a binary search of
// its slots (field_store.hpp). Otherwise a field with a ready search index
// answers from it and reads only the rows appended since; a field without one
// is read row by row (field_scan.hpp), and asks for its index, which is made
// in slices: a little after each such Find, and the rest in BuildIndexes,
// which the list calls in idle time.
#include "list/table/memory_recordset.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

#include "list/table/criteria.hpp"
#include "list/table/field_scan.hpp"
#include "list/table/field_store.hpp"
#include "list/table/filter_scan.hpp"
#include "list/table/folded.hpp"
#include "list/table/row_order.hpp"
#include "list/table/row_moved.hpp"
#include "list/table/schema.hpp"
#include "list/table/search_index.hpp"
#include "list/table/sort_order.hpp"
#include "list/table/table_error.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"

namespace cbo {

using table::Fail;
using table::kNoRank;
using table::Quoted;

namespace {

bool IsAscii(const std::string& text) {
  for (char ch : text)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

// Whether the ASCII text with its capitals lowered is `folded`.
bool EqualsLowered(const std::string& folded, const std::string& text) {
  if (folded.size() != text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    if (c != folded[i]) return false;
  }
  return true;
}

// A field's means of search: its index once asked for (made in slices, then
// answering), a newer one being made while the older answers, and the
// leading bytes that reading the rows goes by.
struct FieldSearch {
  std::unique_ptr<table::SearchIndex> index;
  std::unique_ptr<table::SearchIndex> next;
  table::LeadingBytes leading;
};

}  // namespace

struct MemoryRecordset::Impl {
  bool open = false;
  std::vector<table::FieldSpec> fields;
  std::vector<std::string> foldedNames;
  std::vector<table::FieldStore> stores;  // one per field
  table::RowOrder order;
  uint32_t slots = 0;               // rows ever appended
  std::vector<FieldSearch> search;  // per field
  int32_t current = -1;             // position in order; -1 is EOF
  uint64_t revision = 0;            // see Revision()
  // The row being added: per field its text, and whether it has one (no
  // text is Null). The strings keep their capacity from row to row.
  bool pending = false;
  std::vector<std::string> pendingText;
  std::vector<char> pendingHas;
  table::RowMovedSubscribers subscribers;
  // The last criteria Find parsed, with its folded value: a list aligning its
  // current row asks for the same criteria row after row.
  std::string lastCriteria;
  table::Criterion lastCriterion;
  std::string lastKey;
  bool haveLast = false;
  // Per field, the last spelling a caller found it by: a list names the same
  // fields the same way row after row.
  mutable std::vector<std::string> spellings;
  // The row AppendRow and Update store, kept from row to row.
  std::vector<std::optional<std::string_view>> rowTexts;
  std::vector<std::string> rowScratch;

  // Stores one checked row: every field takes its value or none does. `row`
  // names the row of a bulk append in an error (0: none).
  void StoreRow(const std::vector<std::optional<std::string_view>>& values, int64_t row) {
    for (size_t f = 0; f < stores.size(); ++f)
      if (values[f] && !stores[f].Fits(values[f]->size()))
        Fail((row > 0 ? "row " + std::to_string(row) + ": " : std::string()) + "field " + Quoted(fields[f].name) +
             ": its storage cannot hold more than 4 GiB in 65536 rows");
    for (size_t f = 0; f < stores.size(); ++f) stores[f].Append(values[f]);
    order.Append();
    ++slots;
    ++revision;
  }

  void RequireOpen(const char* operation) const {
    if (!open) Fail(std::string(operation) + ": the table is closed");
  }

  std::optional<int32_t> Lookup(const std::string& name) const {
    for (size_t i = 0; i < spellings.size(); ++i)
      if (spellings[i] == name) return static_cast<int32_t>(i);
    std::optional<int32_t> found = Compare(name);
    if (found) spellings[static_cast<size_t>(*found)] = name;
    return found;
  }

  std::optional<int32_t> Compare(const std::string& name) const {
    // An ASCII name (the usual one) is compared byte by byte with its capitals
    // lowered, as FoldCase would lower them, without making a folded copy.
    if (IsAscii(name)) {
      for (size_t i = 0; i < foldedNames.size(); ++i)
        if (EqualsLowered(foldedNames[i], name)) return static_cast<int32_t>(i);
      return std::nullopt;
    }
    std::string folded = FoldCase(name);
    for (size_t i = 0; i < foldedNames.size(); ++i)
      if (foldedNames[i] == folded) return static_cast<int32_t>(i);
    return std::nullopt;
  }

  int32_t FieldNamed(const char* operation, const std::string& name) const {
    std::optional<int32_t> index = Lookup(name);
    if (!index) Fail(std::string(operation) + ": the table has no field " + Quoted(name));
    return *index;
  }

  void RequireFieldNumber(const char* operation, int32_t index) const {
    if (index < 0 || index >= static_cast<int32_t>(fields.size()))
      Fail(std::string(operation) + ": the table has no field number " + std::to_string(index) + " (it has " +
           std::to_string(fields.size()) + ")");
  }

  void RequirePosition(const char* operation, int32_t position) const {
    if (position < 0 || static_cast<size_t>(position) >= order.Size())
      Fail(std::string(operation) + ": position " + std::to_string(position) + " is outside the table's " +
           std::to_string(order.Size()) + " rows");
  }

  void RequireCurrent(const char* operation) const {
    if (current < 0) Fail(std::string(operation) + ": there is no current row (EOF)");
  }

  Variant ValueOf(size_t position, int32_t field) const {
    const table::FieldStore& store = stores[static_cast<size_t>(field)];
    const uint32_t slot = order.SlotAt(position);
    if (store.IsNull(slot)) return Variant::Null();
    return Variant(std::string(store.Text(slot)));
  }

  // The rows nearest the start and a short table are simply read in the
  // present order; beyond that the slots are searched.
  static constexpr size_t kProbe = 32;
  static constexpr size_t kScanLimit = 4096;
  // A Find that had to read every row goes on making the indexes for a small
  // share of what that reading cost (a step is worth a row or two of it), so
  // that they are made in the end even without idle time; at most about a
  // millisecond's worth.
  static constexpr size_t kFindSliceShare = 32;
  static constexpr int64_t kFindSliceMost = 65536;

  // The position of the first row at or after `start` whose field equals the
  // key (or begins with it); -1 when none.
  int32_t FirstMatch(size_t field, const std::string& key, bool prefix, size_t start) {
    const table::FieldStore& store = stores[field];
    const size_t rows = order.Size();
    auto scan = [&](size_t from, size_t to) {
      for (size_t pos = from; pos < to; ++pos) {
        const uint32_t slot = order.SlotAt(pos);
        if (!store.IsNull(slot) && table::MatchesFolded(store.Text(slot), key, prefix))
          return static_cast<int32_t>(pos);
      }
      return int32_t{-1};
    };
    const size_t probeEnd = std::min(rows, start + kProbe);
    if (const int32_t hit = scan(start, probeEnd); hit >= 0 || probeEnd == rows) return hit;
    if (rows - probeEnd < kScanLimit) return scan(probeEnd, rows);
    const uint32_t fromSlot = order.SlotAt(start);
    const uint32_t from = order.RankOf(fromSlot);
    const uint32_t best = !prefix && store.AscendingNumbers()
                              ? NumberMatch(store, key, from)
                              : LeastMatch(field, key, prefix, from, fromSlot, start == 0);
    return best == kNoRank ? -1 : static_cast<int32_t>(order.PositionOfRank(best));
  }

  // In a field of ascending whole numbers at most one slot holds the key.
  uint32_t NumberMatch(const table::FieldStore& store, const std::string& key, uint32_t from) const {
    const std::optional<size_t> slot = store.SlotOfNumber(key);
    if (!slot) return kNoRank;
    const uint32_t r = order.RankOf(static_cast<uint32_t>(*slot));
    return r != kNoRank && r >= from ? r : kNoRank;
  }

  // The least rank, at least `from`, of a matching row: from the field's
  // index and its tail when the index is ready, otherwise by reading every row.
  uint32_t LeastMatch(size_t field, const std::string& key, bool prefix, uint32_t from, uint32_t fromSlot,
                      bool tableLeast) {
    const table::FieldStore& store = stores[field];
    FieldSearch& fs = search[field];
    AskForIndex(field);
    if (fs.index->Ready()) {
      bool answered = false;
      const uint32_t best = fs.index->LeastRank(store, order, key, prefix, from, tableLeast, answered);
      if (answered) {
        const size_t covered = fs.index->Covered();
        return std::min(best, table::ScanLeastRank(store, fs.leading, order, key, prefix, from, fromSlot, covered));
      }
    }
    const uint32_t best = table::ScanLeastRank(store, fs.leading, order, key, prefix, from, fromSlot, 0);
    BuildSome(std::min(static_cast<int64_t>(store.Size() / kFindSliceShare) + 1, kFindSliceMost));
    return best;
  }

  // Asks for an index of the field's present rows when it has none, or when
  // the one it has leaves a long tail of rows appended since it was begun (a
  // new one is made while that one answers).
  void AskForIndex(size_t field) {
    FieldSearch& fs = search[field];
    const size_t size = stores[field].Size();
    if (!fs.index) {
      fs.index = std::make_unique<table::SearchIndex>(size);
      return;
    }
    const size_t covered = fs.index->Covered();
    if (!fs.next && size - covered > covered / 4 + kScanLimit) fs.next = std::make_unique<table::SearchIndex>(size);
  }

  // Goes on making the indexes asked for; whether any work remains.
  bool BuildSome(int64_t budget) {
    for (size_t f = 0; f < search.size() && budget > 0; ++f) {
      FieldSearch& fs = search[f];
      if (fs.index && !fs.index->Ready()) fs.index->Build(stores[f], order, budget);
      if (fs.next && budget > 0 && fs.next->Build(stores[f], order, budget)) fs.index = std::move(fs.next);
    }
    return Pending();
  }

  bool Pending() const {
    return std::any_of(search.begin(), search.end(),
                       [](const FieldSearch& fs) { return (fs.index && !fs.index->Ready()) || fs.next; });
  }

  void Notify() { subscribers.Notify(); }
};

namespace {

// Refuses a text longer than the field's limit in characters; `row` names
// the row of a bulk append (0: none). A character takes at least one byte: a
// text no longer in bytes than the limit is within it, and only a longer one
// is counted.
void CheckLength(const table::FieldSpec& field, std::string_view text, int64_t row) {
  if (static_cast<int64_t>(text.size()) <= field.maxLength) return;
  const int32_t length = text::Length(std::string(text));
  if (length > field.maxLength)
    Fail((row > 0 ? "row " + std::to_string(row) + ": " : std::string()) + "field " + Quoted(field.name) +
         ": a text of " + std::to_string(length) + " characters is longer than its limit of " +
         std::to_string(field.maxLength));
}

// The text the field stores for the value, checked against its limit: a view
// of the value's own text, or of `scratch` when the text had to be made (a
// number, a truth value, a date); none for Null.
std::optional<std::string_view> TextToStore(const table::FieldSpec& field, const Variant& value, std::string& scratch) {
  if (value.IsMissing() || value.type() == VarType::Font)
    Fail("field " + Quoted(field.name) + ": a " + VarTypeName(value.type()) + " value cannot be stored");
  if (value.IsNull()) return std::nullopt;
  std::string_view text;
  if (value.type() == VarType::String) {
    text = value.AsString();
  } else if (value.type() == VarType::Long) {  // a row index: made without a temporary
    scratch.resize(16);
    const auto end = std::to_chars(scratch.data(), scratch.data() + scratch.size(), value.AsLong()).ptr;
    scratch.resize(static_cast<size_t>(end - scratch.data()));
    text = scratch;
  } else {
    scratch = ToText(value, field.name);
    text = scratch;
  }
  CheckLength(field, text, 0);
  return text;
}

}  // namespace

MemoryRecordset::MemoryRecordset() : impl_(std::make_unique<Impl>()) {}

MemoryRecordset::~MemoryRecordset() = default;

void MemoryRecordset::Open(const std::string& command) {
  if (impl_->open) Fail("schema command " + Quoted(command) + ": the table is already open");
  std::vector<table::FieldSpec> fields = table::ParseSchema(command);
  impl_->foldedNames.clear();
  impl_->spellings.clear();
  for (const table::FieldSpec& field : fields) {
    impl_->foldedNames.push_back(FoldCase(field.name));
    impl_->spellings.push_back(field.name);
  }
  impl_->stores.assign(fields.size(), table::FieldStore());
  impl_->search.clear();
  impl_->search.resize(fields.size());
  impl_->pendingText.assign(fields.size(), std::string());
  impl_->pendingHas.assign(fields.size(), 0);
  impl_->fields = std::move(fields);
  impl_->order.Clear();
  ++impl_->revision;
  impl_->slots = 0;
  impl_->current = -1;
  impl_->pending = false;
  impl_->open = true;
}

int32_t MemoryRecordset::State() const { return impl_->open ? 1 : 0; }

int32_t MemoryRecordset::RecordCount() const {
  impl_->RequireOpen("RecordCount");
  return static_cast<int32_t>(impl_->order.Size());
}

int32_t MemoryRecordset::FieldCount() const {
  impl_->RequireOpen("FieldCount");
  return static_cast<int32_t>(impl_->fields.size());
}

const std::string& MemoryRecordset::FieldName(int32_t index) const {
  impl_->RequireOpen("FieldName");
  if (index < 0 || index >= static_cast<int32_t>(impl_->fields.size()))
    throw Error(ErrorKind::SubscriptOutOfRange, "FieldName: the table has no field number " + std::to_string(index) +
                                                    " (it has " + std::to_string(impl_->fields.size()) + ")");
  return impl_->fields[static_cast<size_t>(index)].name;
}

int32_t MemoryRecordset::FieldIndex(const std::string& name) const {
  impl_->RequireOpen("FieldIndex");
  return impl_->FieldNamed("FieldIndex", name);
}

int32_t MemoryRecordset::FieldNumber(const std::string& name) const {
  impl_->RequireOpen("FieldNumber");
  return impl_->Lookup(name).value_or(-1);
}

void MemoryRecordset::AddNew() {
  impl_->RequireOpen("AddNew");
  // A row still pending is dropped: the new one starts with every field Null.
  std::fill(impl_->pendingHas.begin(), impl_->pendingHas.end(), 0);
  impl_->pending = true;
}

void MemoryRecordset::SetField(const std::string& name, const Variant& value) {
  impl_->RequireOpen("SetField");
  SetField(impl_->FieldNamed("SetField", name), value);
}

void MemoryRecordset::SetField(int32_t index, const Variant& value) {
  impl_->RequireOpen("SetField");
  impl_->RequireFieldNumber("SetField", index);
  const size_t f = static_cast<size_t>(index);
  if (!impl_->pending)
    Fail("field " + Quoted(impl_->fields[f].name) + ": no row is being added (AddNew was not called)");
  // Converted and checked in full before the pending row is touched.
  std::string scratch;
  const std::optional<std::string_view> text = TextToStore(impl_->fields[f], value, scratch);
  if (text) impl_->pendingText[f].assign(*text);
  impl_->pendingHas[f] = text ? 1 : 0;
}

void MemoryRecordset::Update() {
  impl_->RequireOpen("Update");
  if (!impl_->pending) Fail("Update: no row is being added (AddNew was not called)");
  if (impl_->slots == INT32_MAX) Fail("Update: the table is full");
  Impl& t = *impl_;
  t.rowTexts.resize(t.stores.size());
  for (size_t f = 0; f < t.stores.size(); ++f)
    t.rowTexts[f] = t.pendingHas[f] ? std::optional<std::string_view>(t.pendingText[f]) : std::nullopt;
  t.StoreRow(t.rowTexts, 0);
  t.pending = false;
  impl_->current = static_cast<int32_t>(impl_->order.Size()) - 1;
  impl_->Notify();
}

void MemoryRecordset::AppendRow(std::span<const Variant* const> values) {
  impl_->RequireOpen("AppendRow");
  Impl& t = *impl_;
  if (values.size() != t.fields.size())
    Fail("AppendRow: " + std::to_string(values.size()) + " values for the table's " + std::to_string(t.fields.size()) +
         " fields");
  if (t.slots == INT32_MAX) Fail("AppendRow: the table is full");
  t.rowTexts.resize(values.size());
  t.rowScratch.resize(values.size());
  for (size_t f = 0; f < values.size(); ++f) t.rowTexts[f] = TextToStore(t.fields[f], *values[f], t.rowScratch[f]);
  t.StoreRow(t.rowTexts, 0);
}

int64_t MemoryRecordset::AppendRows(const RowWriter& next) {
  impl_->RequireOpen("AppendRows");
  Impl& t = *impl_;
  const uint32_t slotsBefore = t.slots;
  const size_t sizeBefore = t.order.Size();
  const uint32_t nextRankBefore = t.order.NextRank();
  std::vector<table::FieldStore::Mark> marks;
  for (const table::FieldStore& store : t.stores) marks.push_back(store.Here());
  auto undo = [&] {
    for (size_t f = 0; f < t.stores.size(); ++f) {
      t.stores[f].DropAfter(marks[f]);
      // An index begun over rows now dropped is begun again when needed.
      FieldSearch& fs = t.search[f];
      if (fs.next && fs.next->Covered() > slotsBefore) fs.next.reset();
      if (fs.index && fs.index->Covered() > slotsBefore) fs.index.reset();
    }
    t.order.DropAppendedFrom(slotsBefore, sizeBefore, nextRankBefore);
    ++t.revision;
    t.slots = slotsBefore;
  };
  const size_t fields = t.fields.size();
  std::vector<std::optional<std::string_view>> values(fields);
  int64_t rows = 0;
  try {
    for (;;) {
      std::fill(values.begin(), values.end(), std::nullopt);
      const RowStep step = next(values);
      if (step == RowStep::End) break;
      if (step == RowStep::GiveUp) {
        undo();
        return 0;
      }
      ++rows;
      if (t.slots == INT32_MAX) Fail("row " + std::to_string(rows) + ": the table is full");
      for (size_t f = 0; f < fields; ++f)
        if (values[f]) CheckLength(t.fields[f], *values[f], rows);
      t.StoreRow(values, rows);
    }
  } catch (...) {
    undo();
    throw;
  }
  return rows;
}

void MemoryRecordset::CancelUpdate() {
  impl_->RequireOpen("CancelUpdate");
  impl_->pending = false;
}

bool MemoryRecordset::EditPending() const {
  impl_->RequireOpen("EditPending");
  return impl_->pending;
}

Variant MemoryRecordset::Field(const std::string& name) const {
  impl_->RequireOpen("Field");
  int32_t index = impl_->FieldNamed("Field", name);
  if (impl_->current < 0) Fail("field " + Quoted(name) + ": there is no current row (EOF)");
  return impl_->ValueOf(static_cast<size_t>(impl_->current), index);
}

Variant MemoryRecordset::Field(int32_t index) const {
  impl_->RequireOpen("Field");
  impl_->RequireFieldNumber("Field", index);
  impl_->RequireCurrent("Field");
  return impl_->ValueOf(static_cast<size_t>(impl_->current), index);
}

void MemoryRecordset::MoveFirst() {
  impl_->RequireOpen("MoveFirst");
  impl_->current = impl_->order.Size() == 0 ? -1 : 0;
  impl_->Notify();
}

void MemoryRecordset::Find(const std::string& criteria, int32_t skip) {
  impl_->RequireOpen("Find");
  if (!impl_->haveLast || impl_->lastCriteria != criteria) {
    // Parsed in full before the cache is touched: refused criteria leave it as it was.
    table::Criterion parsed = table::ParseCriteria(criteria);
    std::string folded = FoldCase(parsed.value);
    impl_->lastCriterion = std::move(parsed);
    impl_->lastKey = std::move(folded);
    impl_->lastCriteria = criteria;
    impl_->haveLast = true;
  }
  const table::Criterion& criterion = impl_->lastCriterion;
  std::optional<int32_t> field = impl_->Lookup(criterion.field);
  if (!field) Fail("criteria " + Quoted(criteria) + ": the table has no field " + Quoted(criterion.field));
  if (skip < 0) Fail("Find " + Quoted(criteria) + ": cannot skip " + std::to_string(skip) + " rows");
  const std::string& key = impl_->lastKey;
  const size_t rows = impl_->order.Size();
  size_t start = impl_->current < 0 ? rows : static_cast<size_t>(impl_->current) + static_cast<size_t>(skip);
  impl_->current = -1;
  if (start < rows) impl_->current = impl_->FirstMatch(static_cast<size_t>(*field), key, criterion.prefix, start);
  impl_->Notify();
}

bool MemoryRecordset::Eof() const {
  impl_->RequireOpen("EOF");
  return impl_->current < 0;
}

void MemoryRecordset::Delete() {
  impl_->RequireOpen("Delete");
  impl_->RequireCurrent("Delete");
  const uint32_t slot = impl_->order.SlotAt(static_cast<size_t>(impl_->current));
  impl_->order.Erase(static_cast<size_t>(impl_->current));
  ++impl_->revision;
  impl_->current = -1;
  for (size_t f = 0; f < impl_->search.size(); ++f) {
    FieldSearch& fs = impl_->search[f];
    if (fs.index) fs.index->Removed(impl_->stores[f], impl_->order, slot);
    if (fs.next) fs.next->Removed(impl_->stores[f], impl_->order, slot);
  }
}

void MemoryRecordset::Sort(const std::string& field) {
  impl_->RequireOpen("Sort");
  const size_t index = static_cast<size_t>(impl_->FieldNamed("Sort", field));
  table::RowOrder& order = impl_->order;
  std::optional<uint32_t> currentSlot;
  if (impl_->current >= 0) currentSlot = order.SlotAt(static_cast<size_t>(impl_->current));
  order.Reorder(table::SortedOrder(impl_->stores[index], order));
  ++impl_->revision;
  for (FieldSearch& fs : impl_->search) {
    if (fs.index) fs.index->RanksChanged();
    if (fs.next) fs.next->RanksChanged();
  }
  if (currentSlot) impl_->current = static_cast<int32_t>(order.RankOf(*currentSlot));
}

bool MemoryRecordset::BuildIndexes(int64_t steps) {
  if (!impl_->open) return false;
  return impl_->BuildSome(steps);
}

bool MemoryRecordset::IndexesPending() const { return impl_->open && impl_->Pending(); }

void MemoryRecordset::PrepareIndex(const std::string& field) {
  impl_->RequireOpen("PrepareIndex");
  const size_t index = static_cast<size_t>(impl_->FieldNamed("PrepareIndex", field));
  // A short table is read, and a field of ascending numbers searched, without one.
  if (impl_->order.Size() > Impl::kProbe + Impl::kScanLimit && !impl_->stores[index].AscendingNumbers())
    impl_->AskForIndex(index);
}

int32_t MemoryRecordset::Position() const {
  impl_->RequireOpen("Position");
  return impl_->current;
}

void MemoryRecordset::MoveTo(int32_t position) {
  impl_->RequireOpen("MoveTo");
  impl_->RequirePosition("MoveTo", position);
  impl_->current = position;
  impl_->Notify();
}

void MemoryRecordset::MoveToEof() {
  impl_->RequireOpen("MoveToEof");
  impl_->current = -1;
  impl_->Notify();
}

int64_t MemoryRecordset::MarkFilterMatches(const FilterText& filter, std::span<const int32_t> fields, int32_t from,
                                           int32_t to, std::vector<uint64_t>& bits,
                                           const std::vector<uint64_t>* within) const {
  impl_->RequireOpen("MarkFilterMatches");
  for (int32_t field : fields) impl_->RequireFieldNumber("MarkFilterMatches", field);
  const size_t rows = impl_->order.Size();
  const size_t begin = std::min(rows, static_cast<size_t>(std::max(from, 0)));
  const size_t end = std::min(rows, static_cast<size_t>(std::max(to, 0)));
  if (bits.size() < (end + 63) / 64) bits.resize((end + 63) / 64);
  return table::MarkFilterMatches(impl_->stores, impl_->order, filter, fields, begin, end, bits, within);
}

uint64_t MemoryRecordset::Revision() const { return impl_->revision; }

size_t MemoryRecordset::FilterBytes() const {
  size_t bytes = 0;
  for (const table::FieldStore& store : impl_->stores) bytes += store.FormMemory();
  return bytes;
}

Variant MemoryRecordset::ValueAt(int32_t position, int32_t field) const {
  impl_->RequireOpen("ValueAt");
  impl_->RequirePosition("ValueAt", position);
  impl_->RequireFieldNumber("ValueAt", field);
  return impl_->ValueOf(static_cast<size_t>(position), field);
}

int MemoryRecordset::Subscribe(std::function<void()> handler) {
  return impl_->subscribers.Subscribe(std::move(handler));
}

void MemoryRecordset::Unsubscribe(int id) { impl_->subscribers.Unsubscribe(id); }

}  // namespace cbo
