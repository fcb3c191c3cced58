// Screen geometry in pixels, the cursor, and modal windows.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {
namespace {

using Log = std::vector<std::string>;

TEST(ScreenTest, RectanglesFollowTheParentChainRoundedToPixels) {
  EXPECT_EQ(ToPixels(7.5), 1);
  EXPECT_EQ(ToPixels(-7.5), -1);
  EXPECT_EQ(ToPixels(22.4), 1);
  HeadlessPlatform platform;
  HeadlessContainer container{platform};
  container.SetScreenPosition(1500, 3000);
  auto frame = platform.CreatePictureBox(container.Surface());
  frame->SetLeft(30);
  frame->SetTop(45);
  frame->SetWidth(3000);
  frame->SetHeight(322);
  PixelRect r;
  ASSERT_TRUE(platform.GetWindowRect(frame->hWnd(), r));
  EXPECT_EQ(r.Left, 102);    // 1530
  EXPECT_EQ(r.Top, 203);     // 3045
  EXPECT_EQ(r.Right, 302);   // 4530
  EXPECT_EQ(r.Bottom, 224);  // 3367: 224.47

  int32_t gone;
  {
    auto label = platform.CreateLabel(*frame);
    gone = label->hWnd();
  }
  r = PixelRect{1, 2, 3, 4};
  EXPECT_FALSE(platform.GetWindowRect(gone, r));
  EXPECT_EQ(r.Left, 1);
  EXPECT_EQ(r.Bottom, 4);
}

TEST(ScreenTest, CursorInPixelsAndClientCoordinates) {
  HeadlessPlatform platform;
  auto window = platform.CreateWindow();
  window->SetLeft(1000);  // 66.67 pixels
  window->SetTop(2000);   // 133.33 pixels
  auto grid = platform.CreateDataGrid(*window);
  grid->SetLeft(30);
  platform.SetCursor(1507.5, 2250);
  PixelPoint p;
  ASSERT_TRUE(platform.GetCursorPos(p));
  EXPECT_EQ(p.X, 101);
  EXPECT_EQ(p.Y, 150);
  ASSERT_TRUE(platform.ScreenToClient(grid->hWnd(), p));
  EXPECT_EQ(p.X, 101 - 69);
  EXPECT_EQ(p.Y, 150 - 133);
  // A cursor far off the screen gives the farthest client coordinate there is.
  platform.SetCursor(-1e12, 1e12);
  ASSERT_TRUE(platform.GetCursorPos(p));
  ASSERT_TRUE(platform.ScreenToClient(grid->hWnd(), p));
  EXPECT_EQ(p.X, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(p.Y, std::numeric_limits<int32_t>::max() - 133);
}

class ModalTest : public ::testing::Test {
protected:
  ModalTest() : owned(platform.CreateWindow()) { window = static_cast<HeadlessWindow*>(owned.get()); }
  HeadlessPlatform platform;
  std::unique_ptr<IWindow> owned;
  HeadlessWindow* window = nullptr;
  Log log;
};

TEST_F(ModalTest, RunsTheSourceUntilUnloaded) {
  EXPECT_FALSE(window->Shown());
  window->SetActivate([&] { log.push_back(window->Shown() ? "activate shown" : "activate"); });
  int inputs = 0;
  platform.SetEventSource([&] {
    log.push_back("input " + std::to_string(++inputs));
    if (inputs == 2) window->Unload();
    return true;
  });
  window->ShowModal();
  EXPECT_EQ(log, (Log{"activate shown", "input 1", "input 2"}));
  EXPECT_FALSE(window->Loaded());
  EXPECT_FALSE(window->Shown());
  EXPECT_TRUE(platform.ModalWindows().empty());
  EXPECT_THROW(window->ShowModal(), Error);  // unloaded
}

TEST_F(ModalTest, SourceRunningDryIsAnErrorAndLeavesNoStackBehind) {
  platform.SetEventSource([] { return false; });
  try {
    window->ShowModal();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Widget);
    EXPECT_NE(std::string(e.what()).find("still open"), std::string::npos);
  }
  EXPECT_TRUE(platform.ModalWindows().empty());
}

TEST_F(ModalTest, NestedWindowsAndFocusGoingBack) {
  HeadlessContainer container{platform};
  auto box = platform.CreateTextBox(container.Surface());
  TextBoxEvents e;
  e.GotFocus = [&] { log.push_back("box GotFocus"); };
  e.LostFocus = [&] { log.push_back("box LostFocus"); };
  box->SetEvents(e);
  box->SetFocus();
  auto grid = platform.CreateDataGrid(*window);
  window->SetActivate([&] { grid->SetFocus(); });
  auto inner = platform.CreateWindow();
  int step = 0;
  platform.SetEventSource([&] {
    ++step;
    log.push_back("modal " + std::to_string(platform.ModalWindows().size()));
    if (step == 1) inner->ShowModal();
    if (step == 2) inner->Unload();
    if (step == 3) window->Unload();
    return true;
  });
  window->ShowModal();
  EXPECT_EQ(log, (Log{"box GotFocus", "box LostFocus", "modal 1", "modal 2", "modal 1", "box GotFocus"}));
  EXPECT_TRUE(box->Focused());
}

TEST_F(ModalTest, WindowDestroyedWhileOpenEndsTheLoop) {
  platform.SetEventSource([&] {
    owned.reset();
    return true;
  });
  window->ShowModal();
  EXPECT_TRUE(platform.ModalWindows().empty());
}

TEST(ContainerTest, ResizeAlwaysReportsAndAllowsANestedLayout) {
  // A control whose layout pins its own height, as the combo box does.
  struct Pinning : IControlSite {
    explicit Pinning(HeadlessContainer& c) : container(c) {}
    void Resize() override {
      ++resizes;
      if (container.Height() != 315) container.SetHeight(315);
    }
    void InitProperties() override {}
    void ReadProperties(IPropertyBag&) override {}
    void WriteProperties(IPropertyBag&) override {}
    HeadlessContainer& container;
    int resizes = 0;
  };
  HeadlessPlatform platform;
  HeadlessContainer container{platform};
  Pinning control{container};
  container.Attach(&control);
  container.Resize(3000, 600);
  EXPECT_EQ(container.Height(), 315);
  EXPECT_EQ(control.resizes, 2);  // the outer one and the nested one
  // The host's resize reports even an unchanged size; a property that does
  // not change the size reports nothing.
  container.Resize(3000, 315);
  EXPECT_EQ(control.resizes, 3);
  container.SetWidth(3000);
  EXPECT_EQ(control.resizes, 3);
}

TEST(PropertyBagTest, RewriteKeepsItsPlaceAndNamesAreExact) {
  HeadlessPropertyBag bag;
  bag.Write("Text", "a", "");
  bag.Write("Style", int16_t{1}, int16_t{0});
  bag.Write("Text", "b", "x");
  ASSERT_EQ(bag.Entries().size(), 2u);
  EXPECT_EQ(bag.Entries()[0].Value, Variant("b"));
  EXPECT_EQ(bag.Entries()[0].Default, Variant("x"));
  EXPECT_EQ(bag.Read("Text", "d"), Variant("b"));
  EXPECT_EQ(bag.Read("text", "d"), Variant("d"));
}

}  // namespace
}  // namespace cbo::headless
