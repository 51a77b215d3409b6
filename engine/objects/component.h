#pragma once
#include <string>
#include <vector>

namespace coilrun::engine {

// Something that owns notifying parts (coordinates, colours, materials): a part
// calls notifyChange(this) after it has stored a new value.
class UpdateOwner {
public:
    virtual void notifyChange(const void* sender) = 0;

protected:
    ~UpdateOwner() = default;
};

// Base of every engine component: a name, a tag, and links that other
// components hold on it. A component that links to another registers with
// addFreeNotification; when the target is destroyed, each registered
// component gets notification(target) and must clear its link.
class TGLComponent {
public:
    TGLComponent() = default;
    TGLComponent(const TGLComponent&) = delete;
    TGLComponent& operator=(const TGLComponent&) = delete;
    virtual ~TGLComponent();

    // The class name the scene loader creates objects by.
    virtual std::string className() const { return "TGLComponent"; }

    const std::string& name() const { return name_; }
    virtual void setName(const std::string& name) { name_ = name; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    void addFreeNotification(TGLComponent* watcher);
    void removeFreeNotification(TGLComponent* watcher);

protected:
    // `removed` is being destroyed: drop every link to it.
    virtual void notification(TGLComponent* removed) { (void)removed; }

private:
    std::string name_;
    int tag_ = 0;
    std::vector<TGLComponent*> watchers_; // components that link to this one
    std::vector<TGLComponent*> watched_;  // components this one is registered with
};

} // namespace coilrun::engine
