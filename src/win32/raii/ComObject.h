#pragma once
// The reference count of a COM object the program implements itself, for
// all the interfaces it derives from: one AddRef and one Release serve them
// all. The count starts at 1, the creator's reference (take it over with
// ComPtr::Adopt); the last Release deletes the object. The derived class
// answers QueryInterface (from a table, InterfaceTable.h).
//
// Every object of this kind lives on the user-interface thread only: a
// plain counter does.

#include <windows.h>
#include <unknwn.h>

namespace velora::win32 {

template <class... Interfaces>
class ComObject : public Interfaces... {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    ComObject() = default;
    // Only Release deletes the object.
    virtual ~ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

private:
    ULONG references_ = 1;
};

}  // namespace velora::win32
