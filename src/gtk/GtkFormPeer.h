#pragma once
// The window of a form: a GtkWindow whose client area is a GtkFixed, sized
// to the form's client size, where every control's widget stands at its
// designed place. It follows every change the model reports, turns the
// user's actions back into model calls (closing, moving, Enter and Esc) and
// runs the modal loop.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "component/ControlPeer.h"
#include "gtk/GtkControlPeer.h"

typedef struct _GtkCssProvider GtkCssProvider;

namespace velora::controls {
class TControl;
class TForm;
}  // namespace velora::controls

namespace velora::gtk {

class GtkFormPeer : public component::ControlPeer {
public:
    GtkFormPeer(controls::TForm& form, GtkMainLoop& loop);
    ~GtkFormPeer() override;
    GtkFormPeer(const GtkFormPeer&) = delete;
    GtkFormPeer& operator=(const GtkFormPeer&) = delete;

    GtkWidget* Window() const { return window_; }
    controls::TForm& Form() const { return *form_; }

    void PropertyChanged(component::TComponent& component, std::string_view property) override;
    void BringToFront(controls::TForm& form) override;
    void RunModal(controls::TForm& form) override;
    void HandleError(std::exception_ptr error) override;

    // Gives every component of the form that has none yet its peer.
    void CreatePeers();
    GtkControlPeer* PeerOf(const component::TComponent& component) const;

    // Gives the widget the control's font (face, size, style and colour).
    void ApplyFont(GtkWidget* widget, const controls::TControl& control);
    // Tab visits the controls in the form's tab order.
    void UpdateFocusChain();
    // Every peer names its widgets anew (ApplyAccessibility).
    void UpdateAccessibility();

private:
    void FormPropertyChanged(std::string_view property);
    void ApplyBounds();
    void CreatePeer(component::TComponent& component);
    bool PressDefaultButton();
    static int KeyPressed(GtkWidget* widget, void* event, void* self);
    static int DeleteRequested(GtkWidget* widget, void* event, void* self);
    static int Configured(GtkWidget* widget, void* event, void* self);

    controls::TForm* form_;
    GtkMainLoop& loop_;
    GtkWidget* window_ = nullptr;
    GtkWidget* fixed_ = nullptr;
    bool applyingBounds_ = false;
    bool followingWindow_ = false;

    struct ChildPeer {
        component::TComponent* component;
        std::unique_ptr<GtkControlPeer> peer;
    };
    std::vector<ChildPeer> peers_;
    std::set<const component::TComponent*> withoutPeer_;
    std::map<std::string, GtkCssProvider*> fonts_;
};

}  // namespace velora::gtk
