#pragma once
// Top-level windows on a frameless QDialog that is a popup: shown with exec()
// as its own nested loop, closed only by Unload. Being a popup, it blocks no
// other window: a click anywhere outside it dismisses it.
#include <QDialog>

#include "platform/qt/keys.hpp"
#include "platform/qt/widget_base.hpp"
#include "platform/window.hpp"

namespace cbo::qt {

class Dialog : public QDialog, public Detachable {
public:
  explicit Dialog(QtPlatform& platform);
  void Detach() override { activate = nullptr; }
  std::function<void()> activate;
  // Ends the nested loop; any other way of closing is refused, so that the
  // window closes only when the logic unloads it.
  void Finish();
  void reject() override;
  // Runs when the user dismisses the window by a click outside it: the grid
  // in it is told to cancel, as the Escape key does, and the logic then
  // unloads the window through its own close path.
  void Dismiss();

protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

private:
  QtPlatform& platform_;
  bool finishing_ = false;
};

class QtWindow : public QtWidget<IWindow, Dialog> {
public:
  explicit QtWindow(QtPlatform& platform);
  // Screen coordinates.
  Colour BackColor() const override { return back_; }
  void SetBackColor(Colour c) override;
  void ShowModal() override;
  void Unload() override;
  bool Loaded() const override { return loaded_; }
  void SetActivate(std::function<void()> handler) override;
  void Restyle() override { SetBackColor(back_); }

private:
  Colour back_ = 0x8000000Fu;
  bool loaded_ = true;
};

}  // namespace cbo::qt
