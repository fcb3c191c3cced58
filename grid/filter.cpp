// The drop-down's filter, with FilterMode on: the filter line above the
// headers takes what the user types in the grid, and the grid shows only the
// rows that match it, in the table's present order. A large table is read a
// screenful at once and the rest in slices on T_Filter, so no key waits for
// the whole table; the status says how many rows match ("at least" while
// the reading goes on).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>

#include "grid/frm_griglia.hpp"
#include "list/enumerations.hpp"
#include "list/filter_columns.hpp"
#include "platform/platform.hpp"
#include "platform/text.hpp"

namespace cbo {

namespace {

constexpr int16_t kBackspace = 8;
constexpr int16_t kEsc = 27;
// A table this small is read whole on every key; a larger one a screenful at
// once (or this many rows when matches are rare), the rest in slices.
constexpr int64_t kReadAtOnce = 65536;
// A slice reads stretches of this many rows for about kSliceTime, so that the
// user's next key waits for no more than a stretch.
constexpr int64_t kSliceRows = 8192;
constexpr std::chrono::milliseconds kSliceTime{8};
constexpr int32_t kSliceInterval = 1;  // ms: the slices follow one another when the user is idle

FilterMatch HowOf(int32_t mode) { return mode == FilterWordStart ? FilterMatch::WordStart : FilterMatch::Contains; }

// The text without its last character (a whole code point).
void DropLastCharacter(std::string& text) {
  size_t end = text.size();
  while (end > 0 && (static_cast<unsigned char>(text[end - 1]) & 0xC0) == 0x80) --end;
  text.erase(end > 0 ? end - 1 : 0);
}

}  // namespace

bool FrmGriglia::FilterOn() const { return config_.FilterMode != FilterOff; }

void FrmGriglia::CreateFilterLine() {
  Platform& platform = shared_.platform;
  pctFilter_ = platform.CreatePictureBox(*pct1_);
  pctFilter_->SetVisible(false);
  lblFilter_ = platform.CreateLabel(*pctFilter_);
  lblFilterStatus_ = platform.CreateLabel(*pctFilter_);
  lblFilter_->SetCaption("");
  lblFilterStatus_->SetCaption("");
  tFilter_ = platform.CreateTimer();
  tFilter_->SetEnabled(false);
  tFilter_->SetInterval(kSliceInterval);
  tFilter_->SetTick([this] { FilterSlice(); });
}

void FrmGriglia::PrepareFilter() {
  filterText_.clear();
  filtered_.reset();
  filterFields_.clear();
  T_Filter().SetEnabled(false);
  if (!FilterOn() || !TabellaAperta()) return;
  filterFields_ = FilterFields(Tabella(), matriceV_, config_.FilterColumns);
}

DataSourceRef FrmGriglia::BindFilter() {
  // The opening refused a field the list lacks; a list whose columns were
  // defined anew while the window is open searches the fields it still has.
  filterFields_ = FilterFields(Tabella(), matriceV_, config_.FilterColumns, true);
  filtered_ = std::make_shared<FilteredRows>(table_, HowOf(config_.FilterMode), filterFields_);
  filtered_->SetText(filterText_);
  ReadAtOnce();
  return filtered_;
}

void FrmGriglia::ReadAtOnce() {
  // A small table whole; a large one until a screenful and the current row
  // are read, or as many rows as a small table has.
  const int32_t found = filtered_->TableRows() <= kReadAtOnce ? INT32_MAX : config_.Rows_Col + 1;
  filtered_->ScanUntil(found, Tabella().Position(), kReadAtOnce);
}

DataSourceRef FrmGriglia::Shown() const {
  if (filtered_ && filtered_->Table() == table_) return filtered_;
  return table_;
}

void FrmGriglia::CompleteFilter() {
  if (!filtered_) return;
  filtered_->ScanUntil(INT32_MAX, -1, INT64_MAX);
  ShowFilterStatus();
}

double FrmGriglia::FilterLineHeight() const { return FilterOn() ? msf_->RowHeight() + 90 : 0; }

void FrmGriglia::LayOutFilterLine() {
  const double h = FilterLineHeight();
  Pct_Filter().SetVisible(h > 0);
  if (h <= 0) return;
  Pct_Filter().SetLeft(0);
  Pct_Filter().SetTop(0);
  Pct_Filter().SetWidth(MSF().Width());
  Pct_Filter().SetHeight(h - 30);
  Pct_Filter().SetBackColor(config_.ColGriglia);
  // The text typed on the left, the count on the right.
  const double split = std::round(MSF().Width() * 0.5);
  Lbl_Filter().SetLeft(60);
  Lbl_Filter().SetTop(45);
  Lbl_Filter().SetWidth(std::max(0.0, split - 90));
  Lbl_Filter().SetHeight(std::max(0.0, h - 120));
  Lbl_Filter().SetBackColor(config_.ColGriglia);
  Lbl_Filter().SetVisible(true);
  Lbl_FilterStatus().SetLeft(split);
  Lbl_FilterStatus().SetTop(45);
  Lbl_FilterStatus().SetWidth(std::max(0.0, MSF().Width() - split - 60));
  Lbl_FilterStatus().SetHeight(std::max(0.0, h - 120));
  Lbl_FilterStatus().SetBackColor(config_.ColGriglia);
  Lbl_FilterStatus().SetVisible(true);
  Lbl_Filter().SetCaption(filterText_);
  ShowFilterStatus();
}

// A key typed in the grid: Escape empties a filter line that has text (and
// closes the window when it has none), Backspace drops the last character,
// any other character is added.
void FrmGriglia::FilterKeyPress(int16_t keyAscii) {
  if (keyAscii == kEsc) {
    if (filterText_.empty()) {
      ChiudiSenzaScelta();
      return;
    }
    filterText_.clear();
  } else if (keyAscii == kBackspace) {
    if (filterText_.empty()) return;
    DropLastCharacter(filterText_);
  } else {
    const auto code = static_cast<char32_t>(static_cast<uint16_t>(keyAscii));
    if (code < 0x20 || code == 0x7F) return;  // a control character types nothing
    filterText_ += text::FromCodePoint(code);
  }
  Lbl_Filter().SetCaption(filterText_);
  ApplyFilter();
}

// The rows that match the filter line as it is now. The row that was current
// stays current when it still matches; otherwise the first row shown
// becomes current, and with no row shown there is none.
void FrmGriglia::ApplyFilter() {
  config_.OkSelezioneAvvenuta = false;
  if (!filtered_ || !TabellaAperta()) return;
  Recordset& tabella = Tabella();
  const int32_t current = tabella.Position();
  filtered_->SetText(filterText_);
  ReadAtOnce();
  if (current < 0 || filtered_->ShownIndexOf(current) < 0) {
    if (filtered_->Found() > 0) {
      filtered_->MoveTo(0);
    } else if (current >= 0) {
      tabella.MoveToEof();
    }
  }
  T_Filter().SetEnabled(!filtered_->Complete());
  ShowFilterStatus();
  MSF().Refresh();
}

// One slice of a large table read after a key.
void FrmGriglia::FilterSlice() {
  if (!filtered_ || !TabellaAperta() || !shared_.GrigliaAperta()) {
    T_Filter().SetEnabled(false);
    return;
  }
  const int32_t before = filtered_->Found();
  const auto start = std::chrono::steady_clock::now();
  while (filtered_->Scan(kSliceRows) && std::chrono::steady_clock::now() - start < kSliceTime) {}
  // The first row found after a key that matched nothing yet is current.
  if (before == 0 && filtered_->Found() > 0 && Tabella().Eof()) filtered_->MoveTo(0);
  T_Filter().SetEnabled(!filtered_->Complete());
  ShowFilterStatus();
  MSF().Refresh();
}

void FrmGriglia::ShowFilterStatus() {
  if (!filtered_) {
    Lbl_FilterStatus().SetCaption("");
    return;
  }
  const std::string n = std::to_string(filtered_->TableRows());
  const std::string k = std::to_string(filtered_->Found());
  std::string status;
  if (!filtered_->Complete()) {
    status = "at least " + k + " of " + n + " rows";
  } else if (filtered_->Found() == 0 && !filterText_.empty()) {
    status = "No rows match";
  } else {
    status = k + " of " + n + " rows";
  }
  Lbl_FilterStatus().SetCaption(status);
}

}  // namespace cbo
