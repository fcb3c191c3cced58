// The widget's fill from a Qt SQL query: the fill of qt_sql/, its progress a
// signal, its cancelling a slot.
#include "qt_sql/fill_from_query.hpp"

#include "widget/cbo_varno_widget.hpp"

namespace cbo {

bool CboVarnoWidget::fillFromQuery(QSqlQuery& query) {
  // A slot connected to fillProgress may start another fill of this control:
  // a cancel reaches every fill under way, and is forgotten only when a fill
  // starts with none under way.
  if (fillsRunning_ == 0) fillCancelled_ = false;
  ++fillsRunning_;
  struct Running {
    int& count;
    ~Running() { --count; }
  } running{fillsRunning_};
  return cbo::fillFromQuery(control(), query, [this](int64_t rows) {
    if (!fillCancelled_) emit fillProgress(rows);
    return !fillCancelled_;
  });
}

void CboVarnoWidget::cancelFill() {
  if (fillsRunning_ > 0) fillCancelled_ = true;
}

}  // namespace cbo
