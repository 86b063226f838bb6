#pragma once
// What the start-up needs of Windows: the application window and message
// loop, a window for every form, the program's named mutex and the error
// display.

#include <windows.h>

#include <memory>
#include <vector>

#include "app/ProgramHost.h"
#include "app/uAppInstances.h"
#include "win32/Win32Application.h"
#include "win32/Win32FormPeer.h"
#include "win32/raii/KernelHandles.h"

namespace velora::win32 {

class Win32ProgramHost final : public app::ProgramHost {
public:
    Win32ProgramHost(HINSTANCE instance, app::TAppInstances& instances);
    ~Win32ProgramHost() override;

    void AttachApplication(app::TApplication& application) override;
    void AttachForm(controls::TForm& form) override;
    void RouteKeysToBrowser(controls::TWebBrowser* browser) override;
    void CreateProgramMutex() override;
    bool EnsureSingleInstance() override;
    void RunMessageLoop(app::TApplication& application) override;
    void ShowException(std::exception_ptr error) override;

private:
    Win32Application application_;
    app::TAppInstances& instances_;
    std::vector<std::unique_ptr<Win32FormPeer>> formPeers_;
    controls::TWebBrowser* keyBrowser_ = nullptr;
    KernelHandle programMutex_;
};

}  // namespace velora::win32
