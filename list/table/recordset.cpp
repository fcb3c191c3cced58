// The in-memory table: fields declared by the schema command, rows stored per
// field by slot, a present order of slots, one current row and a pending row.
//
// Each slot also has a rank that grows along the present order (a sort sets
// it to the position, an appended row gets the next one, a removed row gets
// none), so that "the first matching row at or after the current one" is the
// least rank among the matches, which a field's search index finds without
// visiting the rows. The index of a field is made by the first Find that
// would otherwise scan a long way, and kept across appends, sorts and
// removals.
#include "list/recordset.hpp"

#include <algorithm>
#include <array>
#include <optional>

#include "list/table/criteria.hpp"
#include "list/table/field_store.hpp"
#include "list/table/schema.hpp"
#include "list/table/search_index.hpp"
#include "list/table/sort_order.hpp"
#include "list/table/table_error.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"

namespace cbo {

using table::Fail;
using table::Quoted;

namespace {

using PendingRow = std::vector<std::optional<std::string>>;  // per field; no value is Null

struct Subscriber {
  int id = 0;
  std::shared_ptr<std::function<void()>> handler;
};

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

}  // namespace

struct Recordset::Impl {
  bool open = false;
  std::vector<table::FieldSpec> fields;
  std::vector<std::string> foldedNames;
  std::vector<table::FieldStore> stores;  // one per field
  std::vector<uint32_t> order;            // row slots in the present order
  uint32_t slots = 0;                     // rows ever appended
  std::vector<uint32_t> rank;             // per slot; table::kNoRank once removed
  uint32_t nextRank = 0;                  // the rank the next appended row gets
  std::vector<std::unique_ptr<table::SearchIndex>> indexes;  // per field; none until needed
  int32_t current = -1;                   // position in order; -1 is EOF
  std::optional<PendingRow> pending;
  std::vector<Subscriber> subscribers;
  int nextSubscriber = 1;
  // The last criteria Find parsed, with its folded value: a list aligning its
  // current row asks for the same criteria row after row.
  std::string lastCriteria;
  table::Criterion lastCriterion;
  std::string lastKey;
  bool haveLast = false;
  // Cleared when the table is destroyed, so that a notification round started
  // by a subscriber that released the table stops at once.
  std::shared_ptr<bool> alive = std::make_shared<bool>(true);

  void RequireOpen(const char* operation) const {
    if (!open) Fail(std::string(operation) + ": the table is closed");
  }

  std::optional<int32_t> Lookup(const std::string& name) const {
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
    if (position < 0 || position >= static_cast<int32_t>(order.size()))
      Fail(std::string(operation) + ": position " + std::to_string(position) + " is outside the table's " +
           std::to_string(order.size()) + " rows");
  }

  void RequireCurrent(const char* operation) const {
    if (current < 0) Fail(std::string(operation) + ": there is no current row (EOF)");
  }

  Variant ValueOf(size_t position, int32_t field) const {
    const table::FieldStore& store = stores[static_cast<size_t>(field)];
    uint32_t slot = order[position];
    if (store.IsNull(slot)) return Variant::Null();
    return Variant(std::string(store.Text(slot)));
  }

  // The rows nearest the start and a short table are simply scanned; beyond
  // that the field's index answers.
  static constexpr size_t kProbe = 32;
  static constexpr size_t kScanLimit = 4096;

  // The position of the first row at or after `start` whose field equals the
  // key (or begins with it); -1 when none.
  int32_t FirstMatch(size_t field, const std::string& key, bool prefix, size_t start) {
    const table::FieldStore& store = stores[field];
    auto matches = [&](uint32_t slot) {
      if (store.IsNull(slot)) return false;
      const std::string_view folded = store.Folded(slot);
      return prefix ? folded.starts_with(key) : folded == key;
    };
    auto scan = [&](size_t from) {
      for (size_t pos = from; pos < order.size(); ++pos)
        if (matches(order[pos])) return static_cast<int32_t>(pos);
      return int32_t{-1};
    };
    const size_t probeEnd = std::min(order.size(), start + kProbe);
    for (size_t pos = start; pos < probeEnd; ++pos)
      if (matches(order[pos])) return static_cast<int32_t>(pos);
    if (probeEnd == order.size()) return -1;
    std::unique_ptr<table::SearchIndex>& index = indexes[field];
    if (!index && order.size() - probeEnd < kScanLimit) return scan(probeEnd);
    if (!index || index->Stale(store)) index = std::make_unique<table::SearchIndex>(store, rank);
    // The first row has the least rank of all: from it, every match counts.
    bool answered = true;
    const uint32_t best = index->LeastRank(store, rank, key, prefix, rank[order[start]], start == 0, answered);
    if (!answered) return scan(probeEnd);
    if (best == table::kNoRank) return -1;
    return PositionOfRank(best);
  }

  int32_t PositionOfRank(uint32_t r) const {
    auto at = std::lower_bound(order.begin(), order.end(), r, [this](uint32_t slot, uint32_t v) { return rank[slot] < v; });
    return static_cast<int32_t>(at - order.begin());
  }

  void RanksChanged() {
    for (auto& index : indexes)
      if (index) index->RanksChanged();
  }

  bool Subscribed(int id) const {
    return std::any_of(subscribers.begin(), subscribers.end(), [id](const Subscriber& s) { return s.id == id; });
  }

  // The row-moved notification. The round works on a copy: a subscriber may
  // subscribe, unsubscribe or move the table again (a nested round) from
  // inside its call; one unsubscribed meanwhile is not called. A table has
  // one or two subscribers, copied onto the stack rather than the heap.
  void Notify() {
    static constexpr size_t kOnStack = 4;
    const size_t count = subscribers.size();
    if (count == 0) return;
    if (count > kOnStack) {
      std::vector<Subscriber> round = subscribers;
      Run(round.data(), count);
      return;
    }
    std::array<Subscriber, kOnStack> round;
    std::copy(subscribers.begin(), subscribers.end(), round.begin());
    Run(round.data(), count);
  }

  void Run(const Subscriber* round, size_t count) {
    std::shared_ptr<bool> stillAlive = alive;
    for (size_t i = 0; i < count; ++i) {
      const Subscriber& subscriber = round[i];
      if (!*stillAlive) return;  // a subscriber released the table: touch nothing
      if (!Subscribed(subscriber.id) || !*subscriber.handler) continue;
      (*subscriber.handler)();
    }
  }
};

namespace {

// Refuses a text longer than the field's limit in characters. A character
// takes at least one byte: a text no longer in bytes than the limit is within
// it, and only a longer one is counted.
// `row` names the row of a bulk append (0: none).
void CheckLength(const table::FieldSpec& field, std::string_view text, int64_t row) {
  if (static_cast<int64_t>(text.size()) <= field.maxLength) return;
  const int32_t length = text::Length(std::string(text));
  if (length > field.maxLength)
    Fail((row > 0 ? "row " + std::to_string(row) + ": " : std::string()) + "field " + Quoted(field.name) + ": a text of " + std::to_string(length) +
         " characters is longer than its limit of " + std::to_string(field.maxLength));
}

// The text a value is stored as; no value for Null.
std::optional<std::string> StoredText(const table::FieldSpec& field, const Variant& value) {
  if (value.IsMissing() || value.type() == VarType::Font)
    Fail("field " + Quoted(field.name) + ": a " + VarTypeName(value.type()) + " value cannot be stored");
  if (value.IsNull()) return std::nullopt;
  std::string text = ToText(value, field.name);
  CheckLength(field, text, 0);
  return text;
}

}  // namespace

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}

Recordset::~Recordset() { *impl_->alive = false; }

void Recordset::Open(const std::string& command) {
  if (impl_->open) Fail("schema command " + Quoted(command) + ": the table is already open");
  std::vector<table::FieldSpec> fields = table::ParseSchema(command);
  impl_->foldedNames.clear();
  impl_->stores.clear();
  impl_->indexes.clear();
  for (const table::FieldSpec& field : fields) {
    impl_->foldedNames.push_back(FoldCase(field.name));
    impl_->stores.emplace_back();
    impl_->indexes.emplace_back();
  }
  impl_->fields = std::move(fields);
  impl_->order.clear();
  impl_->slots = 0;
  impl_->rank.clear();
  impl_->nextRank = 0;
  impl_->current = -1;
  impl_->pending.reset();
  impl_->open = true;
}

int32_t Recordset::State() const { return impl_->open ? 1 : 0; }

int32_t Recordset::RecordCount() const {
  impl_->RequireOpen("RecordCount");
  return static_cast<int32_t>(impl_->order.size());
}

int32_t Recordset::FieldCount() const {
  impl_->RequireOpen("FieldCount");
  return static_cast<int32_t>(impl_->fields.size());
}

const std::string& Recordset::FieldName(int32_t index) const {
  impl_->RequireOpen("FieldName");
  if (index < 0 || index >= static_cast<int32_t>(impl_->fields.size()))
    throw Error(ErrorKind::SubscriptOutOfRange, "FieldName: the table has no field number " +
                                                    std::to_string(index) + " (it has " +
                                                    std::to_string(impl_->fields.size()) + ")");
  return impl_->fields[static_cast<size_t>(index)].name;
}

int32_t Recordset::FieldIndex(const std::string& name) const {
  impl_->RequireOpen("FieldIndex");
  return impl_->FieldNamed("FieldIndex", name);
}

int32_t Recordset::FieldNumber(const std::string& name) const {
  impl_->RequireOpen("FieldNumber");
  return impl_->Lookup(name).value_or(-1);
}

void Recordset::AddNew() {
  impl_->RequireOpen("AddNew");
  // A row still pending is dropped: the new one starts with every field Null.
  impl_->pending = PendingRow(impl_->fields.size());
}

void Recordset::SetField(const std::string& name, const Variant& value) {
  impl_->RequireOpen("SetField");
  int32_t index = impl_->FieldNamed("SetField", name);
  if (!impl_->pending) Fail("field " + Quoted(name) + ": no row is being added (AddNew was not called)");
  const table::FieldSpec& field = impl_->fields[static_cast<size_t>(index)];
  // Converted and checked in full before the pending row is touched.
  std::optional<std::string> text = StoredText(field, value);
  (*impl_->pending)[static_cast<size_t>(index)] = std::move(text);
}

void Recordset::Update() {
  impl_->RequireOpen("Update");
  if (!impl_->pending) Fail("Update: no row is being added (AddNew was not called)");
  if (impl_->slots == INT32_MAX) Fail("Update: the table is full");
  PendingRow row = std::move(*impl_->pending);
  impl_->pending.reset();
  for (size_t f = 0; f < row.size(); ++f) impl_->stores[f].Append(row[f]);
  impl_->order.push_back(impl_->slots++);
  impl_->rank.push_back(impl_->nextRank++);
  impl_->current = static_cast<int32_t>(impl_->order.size()) - 1;
  impl_->Notify();
}

int64_t Recordset::AppendRows(const RowWriter& next) {
  impl_->RequireOpen("AppendRows");
  Impl& t = *impl_;
  const uint32_t slotsBefore = t.slots;
  const size_t orderBefore = t.order.size();
  const uint32_t nextRankBefore = t.nextRank;
  auto undo = [&] {
    for (table::FieldStore& store : t.stores) store.Truncate(slotsBefore);
    t.order.resize(orderBefore);
    t.rank.resize(slotsBefore);
    t.slots = slotsBefore;
    t.nextRank = nextRankBefore;
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
      // Every value is checked before the row is stored.
      for (size_t f = 0; f < fields; ++f)
        if (values[f]) CheckLength(t.fields[f], *values[f], rows);
      for (size_t f = 0; f < fields; ++f) t.stores[f].Append(values[f].value_or(std::string_view()), !values[f]);
      t.order.push_back(t.slots++);
      t.rank.push_back(t.nextRank++);
    }
  } catch (...) {
    undo();
    throw;
  }
  return rows;
}

void Recordset::CancelUpdate() {
  impl_->RequireOpen("CancelUpdate");
  impl_->pending.reset();
}

bool Recordset::EditPending() const {
  impl_->RequireOpen("EditPending");
  return impl_->pending.has_value();
}

Variant Recordset::Field(const std::string& name) const {
  impl_->RequireOpen("Field");
  int32_t index = impl_->FieldNamed("Field", name);
  if (impl_->current < 0) Fail("field " + Quoted(name) + ": there is no current row (EOF)");
  return impl_->ValueOf(static_cast<size_t>(impl_->current), index);
}

Variant Recordset::Field(int32_t index) const {
  impl_->RequireOpen("Field");
  impl_->RequireFieldNumber("Field", index);
  impl_->RequireCurrent("Field");
  return impl_->ValueOf(static_cast<size_t>(impl_->current), index);
}

void Recordset::MoveFirst() {
  impl_->RequireOpen("MoveFirst");
  impl_->current = impl_->order.empty() ? -1 : 0;
  impl_->Notify();
}

void Recordset::Find(const std::string& criteria, int32_t skip) {
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
  const size_t rows = impl_->order.size();
  size_t start = impl_->current < 0 ? rows : static_cast<size_t>(impl_->current) + static_cast<size_t>(skip);
  impl_->current = -1;
  if (start < rows) impl_->current = impl_->FirstMatch(static_cast<size_t>(*field), key, criterion.prefix, start);
  impl_->Notify();
}

bool Recordset::Eof() const {
  impl_->RequireOpen("EOF");
  return impl_->current < 0;
}

void Recordset::Delete() {
  impl_->RequireOpen("Delete");
  impl_->RequireCurrent("Delete");
  impl_->rank[impl_->order[static_cast<size_t>(impl_->current)]] = table::kNoRank;
  impl_->order.erase(impl_->order.begin() + impl_->current);
  impl_->current = -1;
  impl_->RanksChanged();
}

void Recordset::Sort(const std::string& field) {
  impl_->RequireOpen("Sort");
  int32_t index = impl_->FieldNamed("Sort", field);
  std::vector<uint32_t>& order = impl_->order;
  std::optional<uint32_t> currentSlot;
  if (impl_->current >= 0) currentSlot = order[static_cast<size_t>(impl_->current)];
  order = table::SortedOrder(impl_->stores[static_cast<size_t>(index)], order);
  for (size_t pos = 0; pos < order.size(); ++pos) impl_->rank[order[pos]] = static_cast<uint32_t>(pos);
  impl_->nextRank = static_cast<uint32_t>(order.size());
  for (auto& fieldIndex : impl_->indexes)
    if (fieldIndex) fieldIndex->Rerank(impl_->rank);
  if (currentSlot) impl_->current = static_cast<int32_t>(impl_->rank[*currentSlot]);
}

int32_t Recordset::Position() const {
  impl_->RequireOpen("Position");
  return impl_->current;
}

void Recordset::MoveTo(int32_t position) {
  impl_->RequireOpen("MoveTo");
  impl_->RequirePosition("MoveTo", position);
  impl_->current = position;
  impl_->Notify();
}

Variant Recordset::ValueAt(int32_t position, int32_t field) const {
  impl_->RequireOpen("ValueAt");
  impl_->RequirePosition("ValueAt", position);
  impl_->RequireFieldNumber("ValueAt", field);
  return impl_->ValueOf(static_cast<size_t>(position), field);
}

int Recordset::Subscribe(std::function<void()> handler) {
  int id = impl_->nextSubscriber++;
  impl_->subscribers.push_back({id, std::make_shared<std::function<void()>>(std::move(handler))});
  return id;
}

void Recordset::Unsubscribe(int id) {
  std::erase_if(impl_->subscribers, [id](const Subscriber& s) { return s.id == id; });
}

}  // namespace cbo
