#pragma once
// The data grid of the drop-down window (MSF): shows a table bound to it, in
// the table's present order, with the table's current row as its own; a move
// in the grid moves the table's current row, and the reverse.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/data_source.hpp"
#include "platform/widgets.hpp"

namespace cbo {

class IGridColumn {
public:
  virtual ~IGridColumn() = default;
  virtual std::string DataField() const = 0;
  virtual void SetDataField(const std::string& v) = 0;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool v) = 0;
  // Reads back the width the grid applied (it may round).
  virtual float Width() const = 0;
  virtual void SetWidth(float v) = 0;
  virtual int32_t DividerStyle() const = 0;
  virtual void SetDividerStyle(int32_t v) = 0;
  virtual std::string NumberFormat() const = 0;
  virtual void SetNumberFormat(const std::string& v) = 0;
  virtual bool Locked() const = 0;
  virtual void SetLocked(bool v) = 0;
  virtual int32_t Alignment() const = 0;
  virtual void SetAlignment(int32_t v) = 0;
  virtual bool AllowSizing() const = 0;
  virtual void SetAllowSizing(bool v) = 0;
  virtual bool WrapText() const = 0;
  virtual void SetWrapText(bool v) = 0;
};

struct GridEvents {
  std::function<void(int16_t& keyAscii)> KeyPress;
  KeyHandler KeyDown;
  MouseHandler MouseMove;
  MouseHandler MouseDown, MouseUp;
  std::function<void()> LayoutChanged;  // column widths or positions changed
};

class IDataGrid : public IWidget {
public:
  // Binds the grid to a table (nullptr unbinds); its columns follow the fields.
  virtual void SetDataSource(DataSourceRef table) = 0;
  virtual FontRef Font() const = 0;
  virtual void SetFont(FontRef f) = 0;
  virtual Colour BackColor() const = 0;
  virtual void SetBackColor(Colour c) = 0;
  virtual Colour ForeColor() const = 0;
  virtual void SetForeColor(Colour c) = 0;
  virtual bool RecordSelectors() const = 0;  // a selector column 315 twips wide
  virtual void SetRecordSelectors(bool v) = 0;
  virtual int32_t DividerStyle() const = 0;  // dividers between rows
  virtual void SetDividerStyle(int32_t v) = 0;
  virtual bool ColumnHeaders() const = 0;
  virtual void SetColumnHeaders(bool v) = 0;
  virtual float HeadLines() const = 0;
  virtual void SetHeadLines(float v) = 0;
  virtual float RowHeight() const = 0;  // reads back the height applied
  virtual void SetRowHeight(float v) = 0;
  // The columns of the bound table; SubscriptOutOfRange past the last one.
  virtual int32_t ColumnCount() const = 0;
  virtual IGridColumn& Column(int32_t index) = 0;
  // The current row counted from 0 at the top visible row. Reading with no
  // current row, or writing a number past the last shown row, is a Widget error.
  virtual int16_t Row() const = 0;
  virtual void SetRow(int16_t row) = 0;
  virtual std::string Tag() const = 0;
  virtual void SetTag(const std::string& v) = 0;
  virtual void Refresh() = 0;
  virtual void SetFocus() = 0;
  virtual void SetEvents(GridEvents events) = 0;
};

}  // namespace cbo
