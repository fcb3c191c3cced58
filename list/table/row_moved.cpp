// The row-moved notification: rounds that survive a subscriber releasing the
// table or leaving from inside its own call.
#include "list/table/row_moved.hpp"

#include <algorithm>

namespace cbo::table {

RowMovedSubscribers::~RowMovedSubscribers() {
  rounds_->alive = false;
  // A round still running holds on to what it may call.
  if (rounds_->running > 0)
    for (auto& subscriber : subscribers_) rounds_->retired.push_back(std::move(subscriber));
}

int RowMovedSubscribers::Subscribe(std::function<void()> handler) {
  const int id = nextSubscriber_++;
  subscribers_.push_back(std::make_unique<Subscriber>(Subscriber{id, std::move(handler), false}));
  return id;
}

void RowMovedSubscribers::Unsubscribe(int id) {
  auto at = std::find_if(subscribers_.begin(), subscribers_.end(), [id](const auto& s) { return s->id == id; });
  if (at == subscribers_.end()) return;
  if (rounds_->running > 0) {
    (*at)->removed = true;  // a running round may be calling it
    rounds_->retired.push_back(std::move(*at));
  }
  subscribers_.erase(at);
}

void RowMovedSubscribers::Notify() {
  static constexpr size_t kOnStack = 4;
  const size_t count = subscribers_.size();
  if (count == 0) return;
  Subscriber* onStack[kOnStack];
  std::vector<Subscriber*> onHeap;
  Subscriber** round = onStack;
  if (count > kOnStack) {
    onHeap.resize(count);
    round = onHeap.data();
  }
  for (size_t i = 0; i < count; ++i) round[i] = subscribers_[i].get();
  const std::shared_ptr<Rounds> shared = rounds_;
  ++shared->running;
  for (size_t i = 0; i < count && shared->alive; ++i)
    if (!round[i]->removed && round[i]->handler) round[i]->handler();
  if (--shared->running == 0) shared->retired.clear();
}

}  // namespace cbo::table
