#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fill/row_buffer.hpp"
#include "platform/error.hpp"

namespace cbo {
namespace {

// Every row the buffer gives, each value as its text or "<Null>".
std::vector<std::vector<std::string>> Read(RowBuffer& rows) {
  std::vector<std::vector<std::string>> out;
  std::vector<Cell> cells(rows.ColumnNames().size());
  while (rows.Next(cells)) {
    out.emplace_back();
    for (const Cell& c : cells) out.back().push_back(c.null ? "<Null>" : std::string(c.text));
  }
  return out;
}

TEST(RowBuffer, KeepsNullApartFromEmptyTextAndNumbersAsTheirText) {
  RowBuffer rows({"a", "b", "c"});
  rows.AppendNull();
  rows.AppendText("");
  rows.AppendInteger(-9223372036854775807 - 1);
  rows.AppendReal(0.1);
  rows.AppendReal(1e20);
  rows.AppendText("Forlì");
  EXPECT_EQ(rows.RowCount(), 2);
  EXPECT_EQ(Read(rows),
            (std::vector<std::vector<std::string>>{{"<Null>", "", "-9223372036854775808"}, {"0.1", "1e+20", "Forlì"}}));
  rows.Rewind();
  EXPECT_EQ(Read(rows).size(), 2u);
}

TEST(RowBuffer, TextsStayWholeAndInPlaceAcrossBlocks) {
  RowBuffer rows({"t"});
  std::vector<std::string> written;
  for (int i = 0; i < 40000; ++i) written.push_back(std::string(static_cast<size_t>(i % 97), 'a' + i % 26));
  written.push_back(std::string(3 << 20, 'x'));  // longer than a block
  written.push_back("after");
  for (const std::string& t : written) rows.AppendText(t);
  const auto read = Read(rows);
  ASSERT_EQ(read.size(), written.size());
  for (size_t i = 0; i < written.size(); ++i) ASSERT_EQ(read[i][0], written[i]) << "row " << i;
}

TEST(RowBuffer, ARowOfTheWrongWidthIsRefused) {
  RowBuffer rows({"a", "b"});
  rows.AppendText("x");
  rows.AppendText("y");
  std::vector<Cell> one(1);
  EXPECT_THROW(rows.Next(one), Error);
  // A row not yet complete is not given.
  rows.AppendText("z");
  std::vector<Cell> two(2);
  EXPECT_TRUE(rows.Next(two));
  EXPECT_FALSE(rows.Next(two));
  EXPECT_EQ(rows.RowCount(), 1);
}

}  // namespace
}  // namespace cbo
