// The demo's main form: a seven-column grid whose columns each show one
// editor style or format kind, and a memo with help on the grid's events.
#pragma once

#include "components/Quillet.h"
#include "toolkit/win/Form.h"
#include "toolkit/win/Memo.h"

class TfrmMain : public tk::TForm {
public:
  explicit TfrmMain(tk::TComponent* AOwner);
  std::string_view ClassName() const override { return "TfrmMain"; }

  // Published fields, bound by name from the stored layout.
  quillet::TQuillet* Quillet = nullptr;
  tk::TMemo* Memo1 = nullptr;

  // Published handlers.
  void QuilletGetEditStyle(tk::TObject* Sender, int ACol, int ARow, quillet::TEditStyle& Value,
                           bool& ReadOnly);
  void QuilletEditButtonClick(tk::TObject* Sender);
  void QuilletGetDropDownList(tk::TObject* Sender, int ACol, int ARow, tk::TStrings* Value);
  void QuilletGetFormatKind(tk::TObject* Sender, int ACol, int ARow, quillet::TFormatKind& Value);
  void FormCreate(tk::TObject* Sender);

  void BindPublishedField(std::string_view FieldName, tk::TComponent* Component) override;
};

extern TfrmMain* frmMain;
