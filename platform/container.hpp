#pragma once
// The host's side of a control: the container that sizes it, hears its
// property changes, receives its events and keeps its property bag.
#include <cstdint>
#include <span>
#include <string>

#include "platform/font.hpp"
#include "platform/variant.hpp"
#include "platform/widgets.hpp"

namespace cbo {

class Platform;

// The container's keyed store of a control's settings.
class IPropertyBag {
public:
  virtual ~IPropertyBag() = default;
  // The value recorded under the name, or the default when none is.
  virtual Variant Read(const std::string& name, const Variant& defaultValue) = 0;
  virtual void Write(const std::string& name, const Variant& value, const Variant& defaultValue) = 0;
};

// What the container calls on the control it hosts.
class IControlSite {
public:
  virtual ~IControlSite() = default;
  virtual void Resize() = 0;
  virtual void InitProperties() = 0;
  virtual void ReadProperties(IPropertyBag& bag) = 0;
  virtual void WriteProperties(IPropertyBag& bag) = 0;
};

class IContainer {
public:
  virtual ~IContainer() = default;
  virtual Platform& platform() = 0;
  // The surface the control's constituents are placed on.
  virtual IWidget& Surface() = 0;
  virtual void Attach(IControlSite* control) = 0;
  // The control's size as the container has it (twips). A change is reported
  // to the control through its resize handler.
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void SetWidth(double v) = 0;
  virtual void SetHeight(double v) = 0;
  virtual void PropertyChanged(const std::string& name) = 0;
  // Runs the host's handler of event `number` synchronously; a by-reference
  // argument the handler changes is changed in `args`.
  virtual void RaiseEvent(int number, std::span<Variant> args) = 0;
  virtual FontRef AmbientFont() = 0;
};

}  // namespace cbo
