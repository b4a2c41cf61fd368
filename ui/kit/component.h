#pragma once
// Components: objects that an owner frees with itself, and that can ask to be told when
// another component goes away (the image list of an animator, for one).
#include <functional>
#include <string>
#include <vector>

#include "core/TObject.h"

namespace netprobe::ui {

using TNotifyEvent = std::function<void(TObject* sender)>;

enum class TOperation { Insert, Remove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    // Tells every component that asked for it, then frees the owned components, last first.
    ~TComponent() noexcept(false) override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Component(int index) const { return components_[static_cast<size_t>(index)]; }

    std::string Name;

    // Both sides are told of each other's destruction.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

protected:
    // Tells the components that asked, now; a derived destructor calls it while the object
    // is still whole.
    void SendFreeNotifications();

    // A component is going away (Remove), or was inserted into this owner (Insert).
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_;
    std::vector<TComponent*> components_;     // owned
    std::vector<TComponent*> free_notifies_;  // told when this one goes
    bool destroying_ = false;
};

}  // namespace netprobe::ui
