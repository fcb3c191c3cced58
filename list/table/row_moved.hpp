#pragma once
// The row-moved notification of a table: its subscribers, and the rounds that
// call them after every repositioning of the current row.
#include <functional>
#include <memory>
#include <vector>

namespace cbo::table {

class RowMovedSubscribers {
public:
  RowMovedSubscribers() = default;
  ~RowMovedSubscribers();
  RowMovedSubscribers(const RowMovedSubscribers&) = delete;
  RowMovedSubscribers& operator=(const RowMovedSubscribers&) = delete;

  int Subscribe(std::function<void()> handler);
  void Unsubscribe(int id);

  // One round: calls the subscribers there were when it began. One may
  // subscribe, unsubscribe or move the table again (a nested round) from
  // inside its call, and one unsubscribed meanwhile is not called. One that
  // releases the table (and with it these subscribers) ends the round:
  // nothing of the table is touched after that call.
  void Notify();

private:
  struct Subscriber {
    int id = 0;
    std::function<void()> handler;
    bool removed = false;  // unsubscribed while a round was running
  };
  // What the rounds share and what must outlive the table when a subscriber
  // releases it from inside a round: whether the table still exists, how many
  // rounds are running, and the subscribers that left while one was (a round
  // may be calling them).
  struct Rounds {
    bool alive = true;
    int running = 0;
    std::vector<std::unique_ptr<Subscriber>> retired;
  };

  std::vector<std::unique_ptr<Subscriber>> subscribers_;
  int nextSubscriber_ = 1;
  std::shared_ptr<Rounds> rounds_ = std::make_shared<Rounds>();
};

}  // namespace cbo::table
