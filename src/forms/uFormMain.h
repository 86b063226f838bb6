#pragma once
// The main window: a small fixed window whose whole client area is the
// embedded browser showing the service's pages. Hidden most of the time: the
// program lives in the notification area, whose menu opens the pages; closing
// the window only hides it.

#include "app/ServiceEndpoints.h"
#include "ui/controls/Form.h"
#include "ui/controls/Menus.h"
#include "ui/controls/TrayIcon.h"
#include "ui/controls/WebBrowser.h"

namespace velora::ui {

class TformMain : public TForm {
public:
    explicit TformMain(TComponent* owner);
    ~TformMain() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    void FormCreate();
    // Opens the send page exactly as the menu entry does.
    void OpenSendPage();
    // Fills the placeholders of the caption and the tray hint.
    void ApplyPlaceholders();

    // The page a menu entry stands for; any other sender means the send page.
    app::ServicePage PageOf(const TComponent* sender) const;
    // The five page entries: online check, the periodic update check, then
    // the page in this window (or, for credits, in the system's browser).
    void showUrl(TComponent* sender);

    TWebBrowser* browser;
    TPopupMenu* popupTray;
    TMenuItem* menuitemSend;
    TMenuItem* menuitemReminder;
    TMenuItem* menuitemFile;
    TMenuItem* menuitemBreak1;
    TMenuItem* menuitemContacts;
    TMenuItem* menuitemBreak2;
    TMenuItem* menuitemCredits;
    TMenuItem* menuitemUpdate;
    TMenuItem* menuitemOptions;
    TMenuItem* menuitemBreak3;
    TMenuItem* menuitemExit;
    TTrayIcon* tray;

private:
    void FormShow();
    void FormClose(TCloseAction& action);
    void menuitemUpdateClick();
    void menuitemOptionsClick();
    void menuitemExitClick();
    // The page in this window, or the credits page in the system's browser.
    void OpenPage(app::ServicePage page);
    TMenuItem* AddMenuItem(const std::string& name, const std::string& caption);
};

extern TformMain* formMain;

}  // namespace velora::ui
