#include "ui/kit/component.h"

#include <algorithm>

namespace netprobe::ui {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() noexcept(false) {
    destroying_ = true;
    SendFreeNotifications();
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        delete last;
    }
    if (owner_) owner_->Remove(this);
}

void TComponent::SendFreeNotifications() {
    while (!free_notifies_.empty()) {
        TComponent* other = free_notifies_.back();
        free_notifies_.pop_back();
        auto& theirs = other->free_notifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::Remove);
    }
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    Notification(component, TOperation::Insert);
}

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    if (!destroying_) Notification(component, TOperation::Remove);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end())
        free_notifies_.push_back(other);
    if (std::find(other->free_notifies_.begin(), other->free_notifies_.end(), this) == other->free_notifies_.end())
        other->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), other), free_notifies_.end());
    auto& theirs = other->free_notifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

}  // namespace netprobe::ui
