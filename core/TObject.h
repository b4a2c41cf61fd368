#pragma once

namespace netprobe {

// Root of every object that a container can own. The destructor may raise: a container
// that destroys an owned object swallows such an error and goes on.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() noexcept(false) = default;
};

}  // namespace netprobe
