#pragma once
// A CboVarnoWidget as the database fill tests use it: what a refused or
// cancelled fill must leave as it was, and the error a call raises.
#include <gtest/gtest.h>

#include "platform/error.hpp"
#include "tests/sqlite/fill_host.hpp"
#include "widget/application.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo::test {

inline ListState StateOf(CboVarnoWidget& w) { return StateOf(w.control(), widget::TheApplication().shared); }

template <class Call>
Error ErrorOf(Call call) {
  try {
    call();
  } catch (const Error& e) {
    return e;
  }
  ADD_FAILURE() << "no error was raised";
  return Error(ErrorKind::Widget, "none");
}

}  // namespace cbo::test
