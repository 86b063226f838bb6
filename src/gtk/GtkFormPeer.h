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
#include "platform/gtk/GtkControlPeer.h"

typedef struct _GtkCssProvider GtkCssProvider;

namespace velora::ui {
class TControl;
class TForm;
}  // namespace velora::ui

namespace velora::gtk {

class GtkFormPeer : public ui::ControlPeer {
public:
    GtkFormPeer(ui::TForm& form, GtkMainLoop& loop);
    ~GtkFormPeer() override;
    GtkFormPeer(const GtkFormPeer&) = delete;
    GtkFormPeer& operator=(const GtkFormPeer&) = delete;

    GtkWidget* Window() const { return window_; }
    ui::TForm& Form() const { return *form_; }

    void PropertyChanged(ui::TComponent& component, std::string_view property) override;
    void BringToFront(ui::TForm& form) override;
    void RunModal(ui::TForm& form) override;
    void HandleError(std::exception_ptr error) override;

    // Gives every component of the form that has none yet its peer.
    void CreatePeers();
    GtkControlPeer* PeerOf(const ui::TComponent& component) const;

    // Gives the widget the control's font (face, size, style and colour).
    void ApplyFont(GtkWidget* widget, const ui::TControl& control);
    // Tab visits the controls in the form's tab order.
    void UpdateFocusChain();

private:
    void FormPropertyChanged(std::string_view property);
    void ApplyBounds();
    void CreatePeer(ui::TComponent& component);
    bool PressButton(bool cancel);
    static int KeyPressed(GtkWidget* widget, void* event, void* self);
    static int DeleteRequested(GtkWidget* widget, void* event, void* self);
    static int Configured(GtkWidget* widget, void* event, void* self);

    ui::TForm* form_;
    GtkMainLoop& loop_;
    GtkWidget* window_ = nullptr;
    GtkWidget* fixed_ = nullptr;
    bool applyingBounds_ = false;
    bool followingWindow_ = false;

    struct ChildPeer {
        ui::TComponent* component;
        std::unique_ptr<GtkControlPeer> peer;
    };
    std::vector<ChildPeer> peers_;
    std::set<const ui::TComponent*> withoutPeer_;
    std::map<std::string, GtkCssProvider*> fonts_;
};

}  // namespace velora::gtk
