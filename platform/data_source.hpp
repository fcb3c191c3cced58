#pragma once
// What a data grid needs of the table bound to it: its fields, its rows in the
// present order, its current row (read and moved), and a notification after
// every repositioning of that row. The list's in-memory table is one.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/variant.hpp"

namespace cbo {

class Error;

// A run of characters of a cell's text, in code points: what a grid
// highlights.
struct TextRun {
  int32_t start;
  int32_t length;
  bool operator==(const TextRun&) const = default;
};

class DataSource {
public:
  virtual ~DataSource() = default;

  virtual int32_t State() const = 0;  // 1 while open, 0 otherwise

  // The operations below raise a Table error on a source that is not open.
  virtual int32_t RecordCount() const = 0;
  virtual int32_t FieldCount() const = 0;
  virtual const std::string& FieldName(int32_t index) const = 0;
  // The field of that name, letter case ignored as the source compares names;
  // -1 when there is none.
  virtual int32_t FieldNumber(const std::string& name) const = 0;

  // The current row's place in the present order; -1 when there is none (EOF).
  virtual int32_t Position() const = 0;
  virtual void MoveTo(int32_t position) = 0;
  // A row's value (a String or Null) by its place in the present order.
  virtual Variant ValueAt(int32_t position, int32_t field) const = 0;
  // The runs of that value's characters to highlight, left to right (the
  // drop-down's filter marks what matched); none by default.
  virtual std::vector<TextRun> Highlights(int32_t /*position*/, int32_t /*field*/) const { return {}; }

  // A source whose rows come from elsewhere (a database) may read them in
  // the background. RowReady says whether a row's values are at hand
  // (ValueAt would otherwise wait for them); ReadAhead asks for the rows at
  // `positions` to be read in the background and gives up the reads asked
  // for before of rows not among them; RowsPending says whether reads are
  // under way. The handler hears, on this thread, each read that ended: with
  // its failure, or with null. By default every row is at hand.
  virtual bool RowReady(int32_t /*position*/) const { return true; }
  virtual void ReadAhead(std::span<const int32_t> /*positions*/) {}
  virtual bool RowsPending() const { return false; }
  virtual void SetRowsRead(std::function<void(const Error* failure)> /*handler*/) {}

  // Row-moved subscribers, called synchronously after every repositioning of
  // the current row. These two work in any state, also on a closed source.
  virtual int Subscribe(std::function<void()> handler) = 0;
  virtual void Unsubscribe(int id) = 0;
};

using DataSourceRef = std::shared_ptr<DataSource>;

}  // namespace cbo
