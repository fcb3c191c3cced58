// The widget: a container holding one control, its events turned into Qt
// signals, its persisted properties into Qt properties.
#include "widget/cbo_varno_widget.hpp"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QMetaProperty>
#include <QSet>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>

#include "control/type_library.hpp"
#include "platform/error.hpp"
#include "platform/property_file.hpp"
#include "platform/qt/convert.hpp"
#include "platform/qt/widget_base.hpp"
#include "widget/accessibility.hpp"
#include "platform/qt/widgets.hpp"
#include "widget/application.hpp"
#include "widget/qt_names.hpp"
#include "widget/settings_bag.hpp"
#include "widget/settings_status.hpp"

namespace cbo {

namespace {

Qt::KeyboardModifiers ModifiersOf(int16_t shift) {
  Qt::KeyboardModifiers m;
  if (shift & 1) m |= Qt::ShiftModifier;
  if (shift & 2) m |= Qt::ControlModifier;
  if (shift & 4) m |= Qt::AltModifier;
  return m;
}

Qt::MouseButtons ButtonsOf(int16_t button) {
  Qt::MouseButtons b;
  if (button & 1) b |= Qt::LeftButton;
  if (button & 2) b |= Qt::RightButton;
  if (button & 4) b |= Qt::MiddleButton;
  return b;
}

Colour RgbOf(const QColor& c) {
  return Rgb(static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()), static_cast<uint8_t>(c.blue()));
}

}  // namespace

// The typed sink of the control's events: each one a signal of the widget,
// with the by-reference arguments handed back.
struct CboVarnoWidget::Private : CboVarnoEvents {
  explicit Private(CboVarnoWidget& widget) : w(widget) {}

  void Click() override { emit w.clicked(); }
  void DblClick() override { emit w.doubleClicked(); }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override { Key(&CboVarnoWidget::keyDown, KeyCode, Shift); }
  void KeyPress(int16_t& KeyAscii) override {
    int k = KeyAscii;
    emit w.keyPress(&k);
    KeyAscii = NarrowToInteger(k, "KeyAscii");
  }
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override { Key(&CboVarnoWidget::keyUp, KeyCode, Shift); }
  void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    emit w.mouseDown(ButtonsOf(Button), ModifiersOf(Shift), Position(X, Y));
  }
  void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    emit w.mouseMove(ButtonsOf(Button), ModifiersOf(Shift), Position(X, Y));
  }
  void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override {
    emit w.mouseUp(ButtonsOf(Button), ModifiersOf(Shift), Position(X, Y));
  }
  void Change() override { emit w.changed(); }

  void Key(void (CboVarnoWidget::*signal)(int*, Qt::KeyboardModifiers), int16_t& code, int16_t shift) {
    int k = code;
    emit(w.*signal)(&k, ModifiersOf(shift));
    code = NarrowToInteger(k, "KeyCode");
  }
  // Twips in the text box to pixels in the widget.
  QPointF Position(float x, float y) const {
    const QPoint origin = TextBox()->mapTo(&w, QPoint(0, 0));
    const double perPixel = qt::kTwipsPerPixel / qt::ScaleOf(TextBox());
    return QPointF(origin) + QPointF(x / perPixel, y / perPixel);
  }
  qt::LineEdit* TextBox() const { return static_cast<qt::LineEdit*>(qt::WidgetOf(control->Txt_Cbo())); }
  QWidget* Button() const { return qt::WidgetOf(control->Cmd_List()); }
  QColor Resolve(Colour c) const { return qt::ResolveColour(c, TextBox()->palette()); }

  void Translate() { Button()->setAccessibleName(CboVarnoWidget::tr("Open the list")); }
  // The text box, which has the focus, is known by the control's name.
  void NameTheTextBox() {
    QLineEdit* box = TextBox();
    const QString name = widget::AccessibleNameOf(&w);
    if (box->accessibleName() != name) box->setAccessibleName(name);
    if (box->accessibleDescription() != w.accessibleDescription())
      box->setAccessibleDescription(w.accessibleDescription());
  }

  // F4 opens the list as the drop-down button does: a button coming up over
  // it runs the control's opening, before the key goes on to the text box
  // and from there to the host (as the arrow keys open it before the host
  // hears them). Alt+F4 is the window's.
  void OpenOnF4(const QKeyEvent& key) {
    if (key.key() != Qt::Key_F4 || (key.modifiers() & Qt::AltModifier) || key.isAutoRepeat()) return;
    QWidget* button = Button();
    const QPointF at = QRectF(button->rect()).center();
    QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
  }

  CboVarnoWidget& w;
  bool enabled = true;  // whether the widget itself was last seen enabled
  bool dying = false;   // the destructor is running: only the control's own events go out
  // What the Qt-named signals last told: the properties by name, the text,
  // the chosen row's key.
  QHash<QByteArray, QVariant> told;
  QString text;
  int chosenKey = 0;
  qt::QtContainer* container = nullptr;
  CboVarno* control = nullptr;
};

CboVarnoWidget::CboVarnoWidget(QWidget* parent) : QWidget(parent), d_(std::make_unique<Private>(*this)) {
  widget::Application& app = widget::TheApplication();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  d_->container = new qt::QtContainer(app.platform, this);
  layout->addWidget(d_->container);
  d_->control = &d_->container->Adopt(CreateObject("CboVarno", *d_->container, app.shared));
  d_->container->SetEventHandler([this](int number, std::span<Variant> args) { DispatchEvent(*d_, number, args); });
  d_->control->SetRowChosenHandler([this](int32_t listIndex) { RowChosen(listIndex); });
  d_->control->SetPickHandler([this](int32_t listIndex) {
    if (!d_->dying) emit activated(listIndex);
  });
  connect(d_->container, &qt::QtContainer::propertyChanged, this, &CboVarnoWidget::propertyChanged);
  connect(d_->container, &qt::QtContainer::handlerError, this, &CboVarnoWidget::errorOccurred);
  d_->container->InitProperties();
  // The Qt-named signals start from the new control's values.
  d_->text = d_->TextBox()->text();
  for (const widget::QtNamedProperty& p : widget::QtNamedProperties())
    d_->told.insert(p.QtName, metaObject()->property(metaObject()->indexOfProperty(p.QtName)).read(this));
  connect(d_->container, &qt::QtContainer::propertyChanged, this, &CboVarnoWidget::NotifyQtNamed);
  d_->TextBox()->SetSettledHandler([this](bool edited) { TextSettled(edited); });

  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(d_->TextBox());
  d_->TextBox()->installEventFilter(this);
  d_->Translate();
}

// The container and the control in it go first, while the sink of their
// events still exists: what they raise on the way out reaches a live widget.
CboVarnoWidget::~CboVarnoWidget() {
  d_->dying = true;
  d_->TextBox()->SetSettledHandler({});
  d_->TextBox()->removeEventFilter(this);
  delete d_->container;
  d_->container = nullptr;
}

CboVarno& CboVarnoWidget::control() { return *d_->control; }

bool CboVarnoWidget::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::LanguageChange: d_->Translate(); break;
    case QEvent::Show:
      d_->NameTheTextBox();
      ApplyPendingChoice();
      break;
    // The container's size follows the font it inherits: the host's layout
    // asks the widget's size again.
    case QEvent::LayoutRequest: updateGeometry(); break;
    // A font set on the widget itself (not one inherited from its parent)
    // is the control's text font.
    case QEvent::FontChange:
      if (testAttribute(Qt::WA_SetFont)) d_->control->SetFont(qt::FromQFont(font()));
      break;
    // Disabling the widget itself (not its parent) disables the control, and
    // enabling it again enables the control.
    case QEvent::EnabledChange: {
      const bool on = !testAttribute(Qt::WA_ForceDisabled);
      if (on != d_->enabled) {
        d_->enabled = on;
        d_->control->SetEnabled(on);
      }
      break;
    }
    default: break;
  }
  return QWidget::event(e);
}

bool CboVarnoWidget::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::FocusIn && watched == d_->TextBox()) {
    d_->NameTheTextBox();
    if (widget::TheApplication().opener == this && !widget::TheApplication().shared.GrigliaAperta())
      widget::NoteListClosed(this);
  }
  // The text box gives the focus to the drop-down it opened.
  if (e->type() == QEvent::FocusOut && watched == d_->TextBox() && widget::TheApplication().shared.GrigliaAperta() &&
      !widget::ListOpenFor(this))
    widget::NoteListOpened(this);
  if (e->type() == QEvent::KeyPress && watched == d_->TextBox()) d_->OpenOnF4(*static_cast<QKeyEvent*>(e));
  return QWidget::eventFilter(watched, e);
}

QSize CboVarnoWidget::sizeHint() const { return d_->container ? d_->container->sizeHint() : QWidget::sizeHint(); }

QSize CboVarnoWidget::minimumSizeHint() const { return QSize(0, sizeHint().height()); }

// --- Properties ---

QFont CboVarnoWidget::controlFont() const {
  FontRef f = d_->control->Font();
  return f ? qt::ToQFont(*f, font()) : font();
}

CboVarnoWidget::TipoPulsante CboVarnoWidget::tipoPulsante() const {
  return static_cast<TipoPulsante>(d_->control->TipoPulsante());
}
void CboVarnoWidget::setTipoPulsante(TipoPulsante v) { d_->control->SetTipoPulsante(v); }

CboVarnoWidget::StileCbo CboVarnoWidget::stileCbo() const { return static_cast<StileCbo>(d_->control->StileCbo()); }
void CboVarnoWidget::setStileCbo(StileCbo v) { d_->control->SetStileCbo(v); }

QColor CboVarnoWidget::foreColor() const { return d_->Resolve(d_->control->ForeColor()); }
void CboVarnoWidget::setForeColor(const QColor& c) { d_->control->SetForeColor(c.isValid() ? RgbOf(c) : kWindowText); }
void CboVarnoWidget::resetForeColor() { d_->control->SetForeColor(kWindowText); }

QColor CboVarnoWidget::backColor() const { return d_->Resolve(d_->control->BackColor()); }
void CboVarnoWidget::setBackColor(const QColor& c) {
  d_->control->SetBackColor(c.isValid() ? RgbOf(c) : kWindowBackground);
}
void CboVarnoWidget::resetBackColor() { d_->control->SetBackColor(kWindowBackground); }

CboVarnoWidget::ApparenceVrn CboVarnoWidget::appearance() const {
  return static_cast<ApparenceVrn>(d_->control->Appearance());
}
void CboVarnoWidget::setAppearance(ApparenceVrn v) { d_->control->SetAppearance(v); }

CboVarnoWidget::BorderStyleVrn CboVarnoWidget::borderStyle() const {
  return static_cast<BorderStyleVrn>(d_->control->BorderStyle());
}
void CboVarnoWidget::setBorderStyle(BorderStyleVrn v) { d_->control->SetBorderStyle(v); }

CboVarnoWidget::AgglignVrn CboVarnoWidget::alignment() const {
  return static_cast<AgglignVrn>(d_->control->Alignment());
}
void CboVarnoWidget::setAlignment(AgglignVrn v) { d_->control->SetAlignment(v); }

CboVarnoWidget::Tipo_Separatore_Celle CboVarnoWidget::separatore_Record() const {
  return static_cast<Tipo_Separatore_Celle>(d_->control->Separatore_Record());
}
void CboVarnoWidget::setSeparatore_Record(Tipo_Separatore_Celle v) { d_->control->SetSeparatore_Record(v); }

bool CboVarnoWidget::record_Selector() const { return d_->control->Record_Selector(); }
void CboVarnoWidget::setRecord_Selector(bool on) { d_->control->SetRecord_Selector(on); }

QString CboVarnoWidget::text_Column() const { return qt::ToQString(d_->control->Text_Column()); }
void CboVarnoWidget::setText_Column(const QString& field) { d_->control->SetText_Column(qt::FromQString(field)); }

QString CboVarnoWidget::bound_Column() const { return qt::ToQString(d_->control->Bound_Column()); }
void CboVarnoWidget::setBound_Column(const QString& field) { d_->control->SetBound_Column(qt::FromQString(field)); }

int CboVarnoWidget::rows_Count() const { return d_->control->Rows_Count(); }
void CboVarnoWidget::setRows_Count(int rows) { d_->control->SetRows_Count(NarrowToByte(rows, "Rows_Count")); }

bool CboVarnoWidget::visualizza_Fields() const { return d_->control->Visualizza_Fields(); }
void CboVarnoWidget::setVisualizza_Fields(bool on) { d_->control->SetVisualizza_Fields(on); }

QFont CboVarnoWidget::font_Grid() const {
  FontRef f = d_->control->Font_Grid();
  return f ? qt::ToQFont(*f, font()) : font();
}
void CboVarnoWidget::setFont_Grid(const QFont& f) { d_->control->SetFont_Grid(qt::FromQFont(f)); }

QString CboVarnoWidget::value() const { return qt::ToQString(d_->control->Value()); }
void CboVarnoWidget::setValue(const QString& v) { d_->control->SetValue(qt::FromQString(v)); }

QString CboVarnoWidget::text() const { return qt::ToQString(d_->control->Text()); }
void CboVarnoWidget::setText(const QString& t) { d_->control->SetText(qt::FromQString(t)); }

int CboVarnoWidget::listIndex() const { return d_->control->ListIndex(); }
void CboVarnoWidget::setListIndex(int i) { d_->control->SetListIndex(i); }

bool CboVarnoWidget::griglia_Centrata() const { return d_->control->Griglia_Centrata(); }
void CboVarnoWidget::setGriglia_Centrata(bool on) { d_->control->SetGriglia_Centrata(on); }

bool CboVarnoWidget::controlEnabled() const { return d_->control->Enabled(); }

bool CboVarnoWidget::locked() const { return d_->control->Locked(); }
void CboVarnoWidget::setLocked(bool on) { d_->control->SetLocked(on); }

int CboVarnoWidget::rowHeight() const { return d_->control->RowHeight(); }
void CboVarnoWidget::setRowHeight(int twips) { d_->control->SetRowHeight(twips); }

int CboVarnoWidget::altezzaIntest() const { return d_->control->AltezzaIntest(); }
void CboVarnoWidget::setAltezzaIntest(int twips) {
  d_->control->SetAltezzaIntest(NarrowToInteger(twips, "AltezzaIntest"));
}

QColor CboVarnoWidget::coloreSfondoGrid() const { return d_->Resolve(d_->control->ColoreSfondoGrid()); }
void CboVarnoWidget::setColoreSfondoGrid(const QColor& c) {
  d_->control->SetColoreSfondoGrid(c.isValid() ? RgbOf(c) : 0);
}
void CboVarnoWidget::resetColoreSfondoGrid() { d_->control->SetColoreSfondoGrid(0); }
CboVarnoWidget::CboFilterMode CboVarnoWidget::filterMode() const {
  return static_cast<CboFilterMode>(d_->control->FilterMode());
}
void CboVarnoWidget::setFilterMode(CboFilterMode mode) { d_->control->SetFilterMode(mode); }
QString CboVarnoWidget::filterColumns() const { return QString::fromStdString(d_->control->FilterColumns()); }
void CboVarnoWidget::setFilterColumns(const QString& fields) { d_->control->SetFilterColumns(fields.toStdString()); }

int CboVarnoWidget::currentKey() const { return d_->chosenKey; }

int CboVarnoWidget::headerHeight() const { return qRound(altezzaIntest() / qt::kTwipsPerPixel); }
void CboVarnoWidget::setHeaderHeight(int pixels) {
  const auto twips = static_cast<int64_t>(pixels) * static_cast<int64_t>(qt::kTwipsPerPixel);
  if (twips < INT16_MIN || twips > INT16_MAX)
    throw Error(ErrorKind::Overflow, "headerHeight: " + std::to_string(pixels) + " pixels is beyond " +
                                         std::to_string(INT16_MAX / static_cast<int>(qt::kTwipsPerPixel)));
  d_->control->SetAltezzaIntest(static_cast<int16_t>(twips));
}

// --- The Qt-named signals ---

void CboVarnoWidget::NotifyQtNamed(const QString& name) {
  if (d_->dying) return;
  const QMetaObject* mo = metaObject();
  QSet<QByteArray> seen;
  for (const widget::QtNamedProperty& p : widget::QtNamedProperties()) {
    if (!name.isEmpty() && name != QLatin1String(p.Persisted)) continue;
    if (seen.contains(p.QtName)) continue;
    seen.insert(p.QtName);
    const QMetaProperty property = mo->property(mo->indexOfProperty(p.QtName));
    const QVariant now = property.read(this);
    if (d_->told.value(p.QtName) == now) continue;
    d_->told.insert(p.QtName, now);  // before the signal: a slot may change it again
    property.notifySignal().invoke(this, Qt::DirectConnection,
                                   QGenericArgument(now.metaType().name(), now.constData()));
  }
}

void CboVarnoWidget::RowChosen(int key) {
  if (d_->dying) {
    emit rowChosen(key);
    return;
  }
  // Read before any slot runs: a slot may make another choice.
  const ChoiceSource source = d_->control->LastChoiceSource();
  const bool listCombo = d_->control->StileCbo() == cbo::ListCombo;
  const bool changed = key != d_->chosenKey;
  d_->chosenKey = key;
  emit rowChosen(key);
  if (changed) emit currentRowChanged(key);
  // A pick in the drop-down is told by the pick handler, the same row too.
  if (source == ChoiceSource::Typing && listCombo && changed) emit activated(key);
  NotifyQtNamed(QStringLiteral("Value"));
}

void CboVarnoWidget::TextSettled(bool edited) {
  const QString now = d_->TextBox()->text();
  if (now == d_->text) return;
  d_->text = now;
  emit currentTextChanged(now);
  if (edited) emit textEdited(now);
}

// --- Qt's property system ---

template <class Set>
void CboVarnoWidget::WriteProperty(const char* name, Set&& set) {
  try {
    set();
  } catch (const Error& e) {
    emit errorOccurred(QString::fromUtf8(name),
                       QString::fromUtf8(KindName(e.kind())) + ": " + QString::fromUtf8(e.what()));
  }
}

void CboVarnoWidget::writeTipoPulsante(TipoPulsante value) {
  WriteProperty("TipoPulsante", [&] { setTipoPulsante(value); });
}
void CboVarnoWidget::writeStileCbo(StileCbo value) {
  WriteProperty("StileCbo", [&] { setStileCbo(value); });
}
void CboVarnoWidget::writeForeColor(const QColor& value) {
  WriteProperty("ForeColor", [&] { setForeColor(value); });
}
void CboVarnoWidget::writeBackColor(const QColor& value) {
  WriteProperty("BackColor", [&] { setBackColor(value); });
}
void CboVarnoWidget::writeAppearance(ApparenceVrn value) {
  WriteProperty("Appearance", [&] { setAppearance(value); });
}
void CboVarnoWidget::writeBorderStyle(BorderStyleVrn value) {
  WriteProperty("BorderStyle", [&] { setBorderStyle(value); });
}
void CboVarnoWidget::writeAlignment(AgglignVrn value) {
  WriteProperty("Alignment", [&] { setAlignment(value); });
}
void CboVarnoWidget::writeSeparatore_Record(Tipo_Separatore_Celle value) {
  WriteProperty("Separatore_Record", [&] { setSeparatore_Record(value); });
}
void CboVarnoWidget::writeRecord_Selector(bool value) {
  WriteProperty("Record_Selector", [&] { setRecord_Selector(value); });
}
void CboVarnoWidget::writeText_Column(const QString& value) {
  WriteProperty("Text_Column", [&] { setText_Column(value); });
}
void CboVarnoWidget::writeBound_Column(const QString& value) {
  WriteProperty("Bound_Column", [&] { setBound_Column(value); });
}
void CboVarnoWidget::writeRows_Count(int value) {
  WriteProperty("Rows_Count", [&] { setRows_Count(value); });
}
void CboVarnoWidget::writeVisualizza_Fields(bool value) {
  WriteProperty("Visualizza_Fields", [&] { setVisualizza_Fields(value); });
}
void CboVarnoWidget::writeFont_Grid(const QFont& value) {
  WriteProperty("Font_Grid", [&] { setFont_Grid(value); });
}
void CboVarnoWidget::writeValue(const QString& value) {
  WriteProperty("Value", [&] { setValue(value); });
}
void CboVarnoWidget::writeText(const QString& value) {
  WriteProperty("Text", [&] { setText(value); });
}
void CboVarnoWidget::writeListIndex(int value) {
  WriteProperty("ListIndex", [&] { setListIndex(value); });
}
void CboVarnoWidget::writeGriglia_Centrata(bool value) {
  WriteProperty("Griglia_Centrata", [&] { setGriglia_Centrata(value); });
}
void CboVarnoWidget::writeLocked(bool value) {
  WriteProperty("Locked", [&] { setLocked(value); });
}
void CboVarnoWidget::writeTimeLimit(int value) {
  WriteProperty("timeLimit", [&] { setTimeLimit(value); });
}
void CboVarnoWidget::writeRowHeight(int value) {
  WriteProperty("RowHeight", [&] { setRowHeight(value); });
}
void CboVarnoWidget::writeAltezzaIntest(int value) {
  WriteProperty("AltezzaIntest", [&] { setAltezzaIntest(value); });
}
void CboVarnoWidget::writeFilterMode(CboFilterMode value) {
  WriteProperty("FilterMode", [&] { setFilterMode(value); });
}
void CboVarnoWidget::writeFilterColumns(const QString& value) {
  WriteProperty("FilterColumns", [&] { setFilterColumns(value); });
}
void CboVarnoWidget::writeColoreSfondoGrid(const QColor& value) {
  WriteProperty("ColoreSfondoGrid", [&] { setColoreSfondoGrid(value); });
}
void CboVarnoWidget::writeHeaderHeight(int value) {
  WriteProperty("headerHeight", [&] { setHeaderHeight(value); });
}

// --- Settings ---

namespace {

// Enters a QSettings group for as long as it lives.
class InGroup {
public:
  InGroup(QSettings& s, const QString& group) : s_(s), entered_(!group.isEmpty()) {
    if (entered_) s_.beginGroup(group);
  }
  ~InGroup() {
    if (entered_) s_.endGroup();
  }
  InGroup(const InGroup&) = delete;
  InGroup& operator=(const InGroup&) = delete;

private:
  QSettings& s_;
  bool entered_;
};

}  // namespace

bool CboVarnoWidget::saveSettings(QSettings& settings, const QString& group) {
  QString why;
  {
    InGroup in(settings, group);
    widget::SettingsBag bag(settings);
    d_->control->WriteProperties(bag);
    why = widget::WhyNotWritten(settings, bag.Written());
  }
  if (why.isEmpty()) return true;
  emit errorOccurred(QStringLiteral("saveSettings"), QString::fromUtf8(KindName(ErrorKind::Widget)) + ": " + why);
  return false;
}

bool CboVarnoWidget::loadSettings(QSettings& settings, const QString& group) {
  // Nothing is read from settings that cannot be: the properties stay.
  const QString why = widget::WhyNotReadable(settings);
  if (!why.isEmpty()) {
    emit errorOccurred(QStringLiteral("loadSettings"), QString::fromUtf8(KindName(ErrorKind::Widget)) + ": " + why);
    return false;
  }
  InGroup in(settings, group);
  widget::SettingsBag bag(settings);
  // The values read before a refused one stay applied, and are told.
  try {
    d_->control->ReadProperties(bag);
  } catch (const Error&) {
    NotifyQtNamed(QString());
    throw;
  }
  NotifyQtNamed(QString());
  return true;
}

void CboVarnoWidget::saveSettings(const QString& path) { WritePropertiesToFile(*d_->control, qt::FromQString(path)); }

void CboVarnoWidget::loadSettings(const QString& path) {
  try {
    ReadPropertiesFromFile(*d_->control, qt::FromQString(path));
  } catch (const Error&) {
    NotifyQtNamed(QString());
    throw;
  }
  NotifyQtNamed(QString());
}

}  // namespace cbo
