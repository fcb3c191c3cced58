#pragma once
// A live list used as a user does, on any database: attach, type-ahead, the
// rank maps made as idle time makes them, the first opening, Page Down, End,
// a header sort and a second one, the same sort before any map is made, and
// the filter's first screenful; one RESULT figure each, named
// "<figures>_attach_ms" and so on.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/cbo_varno.hpp"
#include "list/table/live_recordset.hpp"

namespace bench {

// Attaches the benchmark's table to the control as its list and gives the
// live table attached.
using AttachLive = std::function<std::shared_ptr<cbo::LiveRecordset>(cbo::CboVarno&)>;

void LiveScenario(benchmark::State& state, size_t n, const std::string& figures, const AttachLive& attachTo);

// The generated rows' columns, in order.
std::vector<std::string> LiveFields();

}  // namespace bench
