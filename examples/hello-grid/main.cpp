// A form of one's own with a Quillet grid: prices in column 1 are currency,
// column 2 picks a size from a list.
#include <components/Quillet.h>
#include <toolkit/win/Application.h>
#include <toolkit/win/Form.h>

using namespace quillet;

class TMainForm : public tk::TForm {
public:
  explicit TMainForm(tk::TComponent* Owner) : tk::TForm(Owner) {
    SetCaption("Hello Grid");
    SetBounds(100, 100, 360, 200);
    Grid = new TQuillet(this);
    Grid->SetParent(this);
    Grid->SetAlign(tk::alClient);
    Grid->SetColCount(3);
    Grid->SetOptions(Grid->Options() | tk::goEditing | tk::goAlwaysShowEditor);
    Grid->SetOnGetFormatKind(TGetFormatKindEvent(this, &TMainForm::GetFormatKind));
    Grid->SetOnGetEditStyle(TGetEditStyleEvent(this, &TMainForm::GetEditStyle));
    Grid->SetOnGetDropDownList(TGetDropDownListEvent(this, &TMainForm::GetSizes));
  }

private:
  void GetFormatKind(tk::TObject*, int ACol, int, TFormatKind& Kind) {
    if (ACol == 1) Kind = fkCurrency;
  }
  void GetEditStyle(tk::TObject*, int ACol, int, TEditStyle& Style, bool&) {
    if (ACol == 2) Style = esPickList;
  }
  void GetSizes(tk::TObject*, int, int, tk::TStrings* Items) {
    for (const char* Size : {"Small", "Medium", "Large"}) Items->Add(Size);
  }
  TQuillet* Grid;
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TMainForm* Form;
  tk::Application->CreateForm(Form);
  tk::Application->Run();
  return 0;
}
