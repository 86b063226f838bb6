#pragma once
// The window of a form: a GtkWindow whose client area is a GtkFixed, sized
// to the form's client size, where every control's widget stands at its
// designed place. It follows every change the model reports, turns the
// user's actions back into model calls (closing, moving, Enter and Esc) and
// runs the modal loop. The peers of its components are kept and handed the
// model's changes by the portable controls/peers/FormPeers.h. The program's
// dialogs get their windows with their first showing, as on Windows, so
// that a program idle in the tray holds none of their widgets.

#include <map>
#include <string>

#include "component/ControlPeer.h"
#include "gtk/GtkControlPeer.h"
#include "gtk/raii/ObjectRef.h"
#include "controls/peers/FormPeers.h"

typedef struct _GtkCssProvider GtkCssProvider;

namespace velora::controls {
class TControl;
class TForm;
}  // namespace velora::controls

namespace velora::gtk {

class GtkFormPeer : public component::ControlPeer, private controls::FormPeerSide<GtkPeerContext> {
public:
    GtkFormPeer(controls::TForm& form, GtkMainLoop& loop,
                controls::WindowCreation creation = controls::WindowCreation::AtOnce);
    ~GtkFormPeer() override;
    GtkFormPeer(const GtkFormPeer&) = delete;
    GtkFormPeer& operator=(const GtkFormPeer&) = delete;

    GtkWidget* Window() const { return window_.Get(); }
    controls::TForm& Form() const { return *form_; }

    void PropertyChanged(component::TComponent& component, std::string_view property) override;
    void BringToFront(controls::TForm& form) override;
    void RunModal(controls::TForm& form) override;
    void HandleError(std::exception_ptr error) override;

    GtkControlPeer* PeerOf(const component::TComponent& component) const { return peers_.PeerOf(component); }

    // Gives the widget the control's font (face, size, style and colour).
    void ApplyFont(GtkWidget* widget, const controls::TControl& control);
    // Tab visits the controls in the form's tab order.
    void UpdateFocusChain();
private:
    // What the portable form peers ask of this side.
    bool HasWindow() const override { return static_cast<bool>(window_); }
    void CreateFormWindow() override;
    GtkPeerContext PeerContext() override;
    void FormPropertyChanged(std::string_view property) override;
    void TabOrderChanged() override { UpdateFocusChain(); }
    // Every peer names its widgets anew (ApplyAccessibility).
    void AccessibleNamesChanged() override;

    void ApplyBounds();
    bool PressDefaultButton();
    static int KeyPressed(GtkWidget* widget, void* event, void* self);
    static int DeleteRequested(GtkWidget* widget, void* event, void* self);
    static int Configured(GtkWidget* widget, void* event, void* self);

    controls::TForm* form_;
    GtkMainLoop& loop_;
    // Kept alive by the peer: closing only hides it.
    ObjectRef<GtkWidget> window_;
    GtkWidget* fixed_ = nullptr;
    bool applyingBounds_ = false;
    bool followingWindow_ = false;
    // One provider per font, shared by the widgets that use it.
    std::map<std::string, ObjectRef<GtkCssProvider>> fonts_;
    controls::FormPeers<GtkControlPeer, GtkPeerContext> peers_;
};

}  // namespace velora::gtk
