// The control's constituents, their wiring, and the members that hand the
// list store's work over to it.
#include "control/cbo_varno.hpp"

#include "list/list_store.hpp"

#include "control/image_list.hpp"
#include "grid/frm_griglia.hpp"
#include "platform/platform.hpp"
#include "platform/scoped_flag.hpp"

namespace cbo {

CboVarno::CboVarno(IContainer& container, ProcessState& shared)
    : container_(container),
      shared_(shared),
      pct_(container.platform().CreatePictureBox(container.Surface())),
      txt_(container.platform().CreateTextBox(*pct_)),
      cmd_(container.platform().CreateButton(*pct_)),
      T_Indici_(container.platform().CreateTimer()),
      imageList1_(ImageList::Pulsanti()),
      list_(std::make_unique<ListStore>(
          shared, *txt_, [this] { AdoRec_MoveComplete(); },
          [this](const std::string& name) { container_.PropertyChanged(name); })) {
  // The design-time state of the constituents.
  txt_->SetText("Cbo_Varno");
  cmd_->SetWidth(260);
  cmd_->SetHeight(260);

  TextBoxEvents te;
  te.Change = [this] { Txt_Cbo_Change(); };
  te.KeyDown = [this](int16_t& k, int16_t& s) { Txt_Cbo_KeyDown(k, s); };
  te.KeyPress = [this](int16_t& k) { Txt_Cbo_KeyPress(k); };
  te.KeyUp = [this](int16_t& k, int16_t& s) { Txt_Cbo_KeyUp(k, s); };
  te.MouseDown = [this](int16_t& b, int16_t& s, float& x, float& y) { RaiseMouse(EvMouseDown, b, s, x, y); };
  te.MouseMove = [this](int16_t& b, int16_t& s, float& x, float& y) { RaiseMouse(EvMouseMove, b, s, x, y); };
  te.MouseUp = [this](int16_t& b, int16_t& s, float& x, float& y) { RaiseMouse(EvMouseUp, b, s, x, y); };
  te.Click = [this] { Raise(EvClick, {}); };
  te.DblClick = [this] { Raise(EvDblClick, {}); };
  te.GotFocus = [this] { Txt_Cbo_GotFocus(); };
  te.LostFocus = [] {};
  txt_->SetEvents(std::move(te));

  ButtonEvents be;
  be.MouseDown = [](int16_t&, int16_t&, float&, float&) {};
  be.MouseUp = [this](int16_t&, int16_t&, float&, float&) { Cmd_List_MouseUp(); };
  cmd_->SetEvents(std::move(be));

  T_Indici_->SetInterval(1);
  T_Indici_->SetTick([this] { T_Indici_Timer(); });

  container_.Attach(this);
  UserControl_Initialize();
}

CboVarno::~CboVarno() { container_.Attach(nullptr); }

int32_t CboVarno::Record_Count() { return list_->Record_Count(); }

void CboVarno::AddItem() {
  ScopedFlag host(operazioneHost_);
  list_->AddItem();
  IndiciDaFare();
}

void CboVarno::RemoveItem(int32_t Indice_Record) {
  ScopedFlag host(operazioneHost_);
  list_->RemoveItem(Indice_Record);
}

void CboVarno::AddField(const std::string& Nome_Field, const std::string& NomeColonna, bool Visualizza_Colonna,
                        double Larghezza_Colonna, int32_t Separatore_Colonna, const std::string& Formattazione,
                        int32_t Allineamento_Colonna, bool Ridimensiona_Colonna, bool Wrap_Text,
                        bool Colonna_Ordinabile) {
  list_->AddField(Nome_Field, NomeColonna, Visualizza_Colonna, Larghezza_Colonna, Separatore_Colonna, Formattazione,
                  Allineamento_Colonna, Ridimensiona_Colonna, Wrap_Text, Colonna_Ordinabile);
  GridFollowsTable();
}

void CboVarno::Combo_Clear(int32_t Cosa_Cancellare) {
  list_->Combo_Clear(Cosa_Cancellare);
  GridFollowsTable();
}

Variant CboVarno::ListItem(const std::string& Field, Variant Value) { return list_->ListItem(Field, std::move(Value)); }
Variant CboVarno::ListValue(const std::string& Current_Field_Value) { return list_->ListValue(Current_Field_Value); }
std::string CboVarno::Value() { return list_->Value(); }
void CboVarno::SetValue(const std::string& v) {
  ScopedFlag host(operazioneHost_);
  list_->SetValue(v);
}

int32_t CboVarno::ListIndex() { return list_->ListIndex(); }

void CboVarno::SetListIndex(int32_t v) {
  ScopedFlag host(operazioneHost_);
  list_->SetListIndex(v);
}

}  // namespace cbo
