// TComponent: owner-based lifetime and notification of linked components.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

class TComponent;

enum class TOperation { opInsert, opRemove };

// Events are bound callables, raised only when assigned; the first argument is the sender.
using TNotifyEvent = std::function<void(TComponent* sender)>;

class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return int(components_.size()); }

  std::string Name;

  // After this call `other` is told (Notification with opRemove) when this component goes,
  // and this component is told when `other` goes. Used for references that are not ownership.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Called once the owner has set up all its components (the end of "loading").
  virtual void Loaded() {}
  // Always false in the running program; kept so components can tell design mode apart.
  bool Designing() const { return false; }
  bool Destroying() const { return destroying_; }

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  // Destroys the owned components now; derived destructors call it while their own state is alive.
  void DestroyComponents();

 private:
  void InsertComponent(TComponent* c);
  void RemoveComponent(TComponent* c);

  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;  // owned, destroyed in reverse order of creation
  std::vector<TComponent*> freeNotifies_;
  bool destroying_ = false;
};

}  // namespace ui
