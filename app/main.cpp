// wardDesk: downloads, shows and keeps the records of the PM7700Q bedside monitor.

#include <windows.h>

#include "app/wardDesk_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wd::CwardDeskApp app;
  if (!app.InitInstance()) return 0;
  return app.Run();
}
