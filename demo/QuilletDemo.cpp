// The demo program: one window with the grid and its help text.
#include "components/Quillet.h"
#include "demo/Main.h"
#include "toolkit/win/Application.h"
#include "toolkit/win/StandardClasses.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  tk::RegisterStandardClasses();
  quillet::RegisterQuilletClasses();
  tk::Application->Initialize();
  tk::Application->CreateForm(frmMain);
  tk::Application->Run();
  return 0;
}
