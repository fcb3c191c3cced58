// The tests' main: the fills go into CboVarnoWidget controls, which need a
// QApplication (on the offscreen platform unless another is asked for); Qt
// SQL loads its drivers through it too.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
