#include "bench/host.hpp"

#include <algorithm>

#include "bench/figures.hpp"
#include "control/type_library.hpp"
#include "grid/frm_griglia.hpp"
#include "list/list_store.hpp"

namespace bench {

using namespace cbo;

HeadlessHost::HeadlessHost(uint8_t style) {
  platform_.SetEventSource([this] {
    if (inside_.empty()) return false;
    auto action = std::move(inside_.front());
    inside_.pop_front();
    action();
    return true;
  });
  container_.OnEvent = [this](int, std::span<Variant>) { ++changes_; };
  control_ = CreateObject("CboVarno", container_, shared_);
  control_->InitProperties();
  container_.Resize(4500, 315);
  control_->SetStileCbo(style);
  for (int c = 0; c < kColumns; ++c) control_->AddField(kFieldNames[c], kFieldNames[c], true, 1500, 2);
  control_->SetText_Column(kFieldNames[0]);
  control_->SetBound_Column(kFieldNames[1]);
}

HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::Fill(const Rows& rows, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const auto& row = rows.rows[i];
    for (int c = 0; c < kColumns; ++c) control_->ListItem(kFieldNames[c], Variant(row[static_cast<size_t>(c)]));
    control_->AddItem();
  }
}

headless::HeadlessTextBox& HeadlessHost::Box() { return dynamic_cast<headless::HeadlessTextBox&>(control_->Txt_Cbo()); }

void HeadlessHost::ClearBox() {
  Box().UserSelect(0, static_cast<int32_t>(CodePoints(Box().Text()).size()));
  Box().UserKey(headless::kDelete, 0);
}

double HeadlessHost::TimeLastKey(const std::string& text) {
  const std::u32string keys = CodePoints(text);
  for (size_t i = 0; i + 1 < keys.size(); ++i) Box().UserType(keys[i]);
  const Clock::time_point t0 = Clock::now();
  Box().UserType(keys.back());
  return MicrosSince(t0);
}

double HeadlessHost::TimeEachKey(const std::string& text) {
  double slowest = 0;
  for (char32_t key : CodePoints(text)) {
    const Clock::time_point t0 = Clock::now();
    Box().UserType(key);
    slowest = std::max(slowest, MicrosSince(t0));
  }
  return slowest;
}

// The user idle: the virtual clock runs until the control's index timer
// has made the indexes.
void HeadlessHost::Idle() {
  cbo::Recordset& table = control_->Lista().Tabella();
  do platform_.Advance(1);
  while (table.IndexesPending());
}

void HeadlessHost::WithGridOpen(const std::function<void()>& inside) {
  inside_.push_back(inside);
  inside_.push_back([this] { Grid().UserKey(headless::kEscape); });
  dynamic_cast<headless::HeadlessButton&>(control_->Cmd_List()).UserPress(1);
  inside_.clear();
}

headless::HeadlessDataGrid& HeadlessHost::Grid() {
  return dynamic_cast<headless::HeadlessDataGrid&>(shared_.Griglia()->MSF());
}

headless::HeadlessLabel& HeadlessHost::Header(int column) {
  return dynamic_cast<headless::HeadlessLabel&>(*shared_.Griglia()->Lbl_Field().at(column));
}

}  // namespace bench
