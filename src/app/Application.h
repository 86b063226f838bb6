#pragma once
// The application object: it owns the module and the forms, keeps the list
// of forms (in creation order, which is the order the translator walks), and
// knows whether the program has been asked to end. The platform side runs the
// message loop and hears of the end through OnTerminate.

#include <functional>
#include <string>
#include <vector>

#include "component/Component.h"
#include "controls/Form.h"

namespace velora::app {

class TApplication : public component::TComponent {
public:
    TApplication();
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Creates a form owned by the application and lists it. A name that
    // another form carries already gets "_" and a number, so a second
    // instance of a form is "formOptions_1".
    template <class TFormClass, class... Args>
    TFormClass* CreateForm(const std::string& name, Args&&... args) {
        auto* form = new TFormClass(this, std::forward<Args>(args)...);
        form->SetName(UniqueFormName(name));
        forms_.push_back(form);
        return form;
    }
    const std::vector<controls::TForm*>& Forms() const { return forms_; }

    // Asks the program to end: the message loop stops, and a modal form
    // shown from now on closes at once.
    void Terminate();
    bool Terminated() const { return terminated_; }

    std::function<void(const std::string&)> OnTitleChanged;
    std::function<void()> OnTerminate;

protected:
    void ComponentRemoved(component::TComponent& component) override;

private:
    std::string UniqueFormName(const std::string& name) const;

    std::string title_;
    std::vector<controls::TForm*> forms_;
    bool terminated_ = false;
};

// The one application object of the process, set while it exists.
extern TApplication* Application;

// Its forms in list order (none while no application object exists): what a
// new language file is applied to.
std::vector<component::TComponent*> ApplicationForms();

}  // namespace velora::app
