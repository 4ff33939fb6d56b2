// The README's example: a form of one's own with a Quillet grid whose
// column 1 holds currency amounts and column 2 has an ellipsis button.
#include <components/Quillet.h>
#include <toolkit/win/Application.h>
#include <toolkit/win/Form.h>

class TMainForm : public tk::TForm {
public:
  explicit TMainForm(tk::TComponent* Owner) : tk::TForm(Owner) {
    SetCaption("Prices");
    auto* Grid = new quillet::TQuillet(this);
    Grid->SetParent(this);
    Grid->SetAlign(tk::alClient);
    Grid->SetOptions(Grid->Options() | tk::goEditing | tk::goAlwaysShowEditor);
    Grid->SetOnGetFormatKind(quillet::TGetFormatKindEvent(this, &TMainForm::Kind));
    Grid->SetOnGetEditStyle(quillet::TGetEditStyleEvent(this, &TMainForm::Style));
  }
  void Kind(tk::TObject*, int Col, int, quillet::TFormatKind& K) {
    if (Col == 1) K = quillet::fkCurrency;
  }
  void Style(tk::TObject*, int Col, int, quillet::TEditStyle& S, bool&) {
    if (Col == 2) S = quillet::esEllipsis;
  }
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TMainForm* Form;
  tk::Application->CreateForm(Form);
  tk::Application->Run();
  return 0;
}
