#pragma once
// A CboVarnoWidget as the database fill tests use it: what a refused or
// cancelled fill must leave as it was.
#include <gtest/gtest.h>

#include "platform/error.hpp"
#include "tests/sqlite/fill_host.hpp"
#include "widget/application.hpp"
#include "widget/cbo_varno_widget.hpp"

namespace cbo::test {

inline ListState StateOf(CboVarnoWidget& w) { return StateOf(w.control(), widget::TheApplication().shared); }

}  // namespace cbo::test
