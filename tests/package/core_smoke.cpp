// A host of the control without Qt, built against the installed torb_cbo
// through pkg-config: the headless platform, a list, a choice by Value.
#include <cstdio>
#include <torb_cbo/control/cbo_varno.hpp>
#include <torb_cbo/platform/headless/headless.hpp>

int main() {
  cbo::headless::HeadlessPlatform platform;
  cbo::ProcessState shared(platform);
  cbo::headless::HeadlessContainer container(platform);
  cbo::CboVarno control(container, shared);
  control.InitProperties();
  control.SetStileCbo(cbo::ListCombo);
  control.AddField("Name");
  control.AddField("Code");
  for (const char* name : {"Alpha", "Beta", "Gamma"}) {
    control.ListItem("Name", cbo::Variant(name));
    control.ListItem("Code", cbo::Variant(std::string(name, 1)));
    control.AddItem();
  }
  control.SetBound_Column("Code");
  control.SetValue("G");
  if (control.Record_Count() != 3 || control.Text() != "Gamma") {
    std::fprintf(stderr, "core-smoke: %d rows, text %s\n", control.Record_Count(), control.Text().c_str());
    return 1;
  }
  std::printf("core-smoke: ok\n");
  return 0;
}
