// Start-up: the application object, the main window, the message loop.
#include <windows.h>

#include <exception>
#include <string>

#include "Application.h"
#include "Dialogs.h"
#include "MU.h"
#include "Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  using namespace orv::ui;
  try {
    Application application;
    TMF MF(application.Handle(), SystemDialogs(), orv::ProgramFolder());
    application.SetMainWindow(MF);
    application.ShowMainWindow(showCommand);
    return application.Run();
  } catch (const std::exception& failure) {
    ShowException(SystemDialogs(), nullptr, failure.what());
    return 1;
  }
}
