#pragma once
// Where a live table reads the pages a grid is about to show: away from the
// thread that uses the table, on a connection of the loader's own, so that
// that thread never waits for them (platform backends give one; without
// one a page is read when it is asked for).
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "list/table/live_database.hpp"
#include "platform/error.hpp"

namespace cbo {

class LivePageLoader {
public:
  using Read = std::function<std::vector<LiveRow>(LiveDatabase&)>;
  // The rows read, or the failure (a cbo::Error) and no rows.
  using Done = std::function<void(std::vector<LiveRow> rows, const Error* failure)>;

  virtual ~LivePageLoader() = default;

  // Runs `read` on the loader's connection, the reads in the order asked,
  // then `done` on the thread that asked, from its event loop. A read whose
  // `wanted` is false when its turn comes is not run, and its `done` is
  // never called; nor is any `done` once the loader is destroyed.
  virtual void Load(Read read, std::shared_ptr<const std::atomic<bool>> wanted, Done done) = 0;
};

}  // namespace cbo
