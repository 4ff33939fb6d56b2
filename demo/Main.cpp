#include "demo/Main.h"

#include "toolkit/win/Dialogs.h"
#include "toolkit/win/LocaleSettings.h"

TfrmMain* frmMain = nullptr;

TfrmMain::TfrmMain(tk::TComponent* AOwner) : tk::TForm(AOwner) {
  PublishMethod("QuilletGetEditStyle",
                quillet::TGetEditStyleEvent(this, &TfrmMain::QuilletGetEditStyle));
  PublishMethod("QuilletEditButtonClick",
                tk::TNotifyEvent(this, &TfrmMain::QuilletEditButtonClick));
  PublishMethod("QuilletGetDropDownList",
                quillet::TGetDropDownListEvent(this, &TfrmMain::QuilletGetDropDownList));
  PublishMethod("QuilletGetFormatKind",
                quillet::TGetFormatKindEvent(this, &TfrmMain::QuilletGetFormatKind));
  PublishMethod("FormCreate", tk::TNotifyEvent(this, &TfrmMain::FormCreate));
  LoadLayout();
}

void TfrmMain::BindPublishedField(std::string_view FieldName, tk::TComponent* Component) {
  if (FieldName == "Quillet")
    Quillet = dynamic_cast<quillet::TQuillet*>(Component);
  else if (FieldName == "Memo1")
    Memo1 = dynamic_cast<tk::TMemo*>(Component);
}

void TfrmMain::FormCreate(tk::TObject*) {
  static const char* const Headers[] = {"esSimple",  "esEllipsis", "esPickList", "fkDate",
                                        "fkInteger", "fkFloat",    "fkCurrency"};
  for (int Col = 0; Col < 7; ++Col)
    Quillet->SetCells(Col, 0, Headers[Col]);
}

void TfrmMain::QuilletGetEditStyle(tk::TObject*, int ACol, int, quillet::TEditStyle& Value,
                                   bool& ReadOnly) {
  switch (ACol) {
  case 1:
    Value = quillet::esEllipsis;
    ReadOnly = true;
    break;
  case 2:
    Value = quillet::esPickList;
    ReadOnly = true;
    break;
  default:
    Value = quillet::esSimple;
    break;
  }
}

void TfrmMain::QuilletEditButtonClick(tk::TObject*) {
  int Result =
      tk::MessageDlg("Push Ok Or Cancel Button!", tk::mtInformation, tk::mbOK | tk::mbCancel, 0);
  Quillet->SetCells(Quillet->Col(), Quillet->Row(), Result == tk::mrOk ? "OK" : "Cancel");
}

void TfrmMain::QuilletGetDropDownList(tk::TObject*, int ACol, int, tk::TStrings* Value) {
  if (ACol != 2) return;
  const quillet::TFormatSettings Settings = tk::CurrentFormatSettings();
  for (const std::string& Month : Settings.LongMonthNames)
    Value->Add(Month);
}

void TfrmMain::QuilletGetFormatKind(tk::TObject*, int ACol, int, quillet::TFormatKind& Value) {
  switch (ACol) {
  case 3:
    Value = quillet::fkDate;
    break;
  case 4:
    Value = quillet::fkInteger;
    break;
  case 5:
    Value = quillet::fkFloat;
    break;
  case 6:
    Value = quillet::fkCurrency;
    break;
  default:
    break;
  }
}
