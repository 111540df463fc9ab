#pragma once
// A window the host creates on demand: parented to the main window so that
// it stays in front of it, deleted with the handle unless the parent has
// deleted it already.

#include <QPointer>
#include <QWidget>

namespace dn::gui {

template <typename W>
class OwnedWindow {
  public:
    OwnedWindow() = default;
    ~OwnedWindow() { reset(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    W* get() const { return ptr_.data(); }
    W* operator->() const { return ptr_.data(); }
    explicit operator bool() const { return !ptr_.isNull(); }

    template <typename... Args>
    W& emplace(Args&&... args) {
        reset();
        ptr_ = new W(std::forward<Args>(args)...);
        return *ptr_;
    }
    void reset() {
        delete ptr_.data();
        ptr_.clear();
    }

  private:
    QPointer<W> ptr_;
};

}  // namespace dn::gui
