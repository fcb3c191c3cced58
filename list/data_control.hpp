#pragma once
// A data control: holds a table and reports each repositioning of its current
// row to its owner (the control's AdoRec, the grid window's MsfDC).
#include <functional>

#include "list/table/recordset.hpp"

namespace cbo {

class DataControl {
public:
  DataControl() = default;
  ~DataControl() { Detach(); }
  DataControl(const DataControl&) = delete;
  DataControl& operator=(const DataControl&) = delete;

  // Handing over the table it already holds changes nothing.
  void SetRecordset(RecordsetRef table) {
    if (table == table_) return;
    Detach();
    table_ = std::move(table);
    if (table_)
      subscription_ = table_->Subscribe([this] {
        if (moveComplete_) moveComplete_();
      });
  }
  const RecordsetRef& Recordset() const { return table_; }
  void SetMoveComplete(std::function<void()> handler) { moveComplete_ = std::move(handler); }

private:
  void Detach() {
    if (table_) table_->Unsubscribe(subscription_);
    table_.reset();
  }
  RecordsetRef table_;
  int subscription_ = 0;
  std::function<void()> moveComplete_;
};

}  // namespace cbo
