#pragma once
// The main window: a small fixed window whose whole client area is the
// embedded browser showing the service's pages. Hidden most of the time: the
// program lives in the notification area, whose menu opens the pages; closing
// the window only hides it.

#include "app/ServiceEndpoints.h"
#include "controls/Form.h"
#include "controls/Menus.h"
#include "controls/TrayIcon.h"
#include "controls/WebBrowser.h"

namespace velora::forms {

class TformMain : public controls::TForm {
public:
    explicit TformMain(component::TComponent* owner);
    ~TformMain() override;

    static const component::ClassInfo& StaticClass();
    const component::ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate();
    // Opens the send page exactly as the menu entry does.
    void OpenSendPage();
    // Fills the placeholders of the caption and the tray hint.
    void ApplyPlaceholders();

    // The page a menu entry stands for; any other sender means the send page.
    app::ServicePage PageOf(const component::TComponent* sender) const;
    // The five page entries: online check, the periodic update check, then
    // the page in this window (or, for credits, in the system's browser).
    void showUrl(component::TComponent* sender);

    controls::TWebBrowser* browser;
    controls::TPopupMenu* popupTray;
    controls::TMenuItem* menuitemSend;
    controls::TMenuItem* menuitemReminder;
    controls::TMenuItem* menuitemFile;
    controls::TMenuItem* menuitemBreak1;
    controls::TMenuItem* menuitemContacts;
    controls::TMenuItem* menuitemBreak2;
    controls::TMenuItem* menuitemCredits;
    controls::TMenuItem* menuitemUpdate;
    controls::TMenuItem* menuitemOptions;
    controls::TMenuItem* menuitemBreak3;
    controls::TMenuItem* menuitemExit;
    controls::TTrayIcon* tray;

private:
    void FormShow();
    void FormClose(controls::TCloseAction& action);
    void menuitemUpdateClick();
    void menuitemOptionsClick();
    void menuitemExitClick();
    // The page in this window, or the credits page in the system's browser.
    void OpenPage(app::ServicePage page);
    controls::TMenuItem* AddMenuItem(const std::string& name, const std::string& caption);
};

extern TformMain* formMain;

}  // namespace velora::forms
