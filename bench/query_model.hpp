#pragma once
// Qt's QSqlQueryModel beside a live list: the table `live` of an open
// connection, ordered by its key, read to its last row (fetchMore until
// done), as its view would to show the end.
#include <benchmark/benchmark.h>

#include <QSqlDatabase>
#include <string>

#include "bench/figures.hpp"

namespace bench {

// Records <figures>_attach_ms (from t0 to the model's first rows),
// <figures>_end_ms (to its last row) and <figures>_memory_mb (what the
// process grew by since it held `before` bytes), for Qt's side.
void ReadQueryModel(benchmark::State& state, size_t n, const QSqlDatabase& db, const std::string& figures,
                    size_t before, Clock::time_point t0);

}  // namespace bench
