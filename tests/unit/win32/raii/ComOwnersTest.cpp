// The COM helpers: counted references released exactly once, QueryInterface
// from a table, and COM/OLE initialisation undone only where it was done.
// Windows only (run under Wine in the cross build).
#ifdef _WIN32

#include <windows.h>
#include <ole2.h>
#include <objidl.h>

#include <gtest/gtest.h>

#include <thread>

#include "win32/raii/ComInitialization.h"
#include "win32/raii/ComObject.h"
#include "win32/raii/ComPtr.h"
#include "win32/raii/InterfaceTable.h"

using namespace velora::win32;

namespace {

// An object of two interfaces, one of them derived (IPersistStream answers
// for IPersist too), that says when it is deleted.
class Probe final : public ComObject<IPersistStream, IOleWindow> {
public:
    explicit Probe(bool& deleted) : deleted_(deleted) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        const InterfaceEntry table[] = {
            Implements<IPersistStream>(this),
            Implements<IPersistStream>(this, __uuidof(IPersist)),
            Implements<IOleWindow>(this),
        };
        return QueryInterfaceByTable(this, table, iid, object);
    }

    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* id) override {
        *id = CLSID_NULL;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE Load(IStream*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Save(IStream*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

private:
    ~Probe() override { deleted_ = true; }
    bool& deleted_;
};

// The object's reference count as it stands.
template <class Object>
ULONG References(Object* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace

TEST(InterfaceTable, AnswersTheListedInterfacesAndNothingElse) {
    bool deleted = false;
    const ComPtr<Probe> probe = ComPtr<Probe>::Adopt(new Probe(deleted));
    IPersistStream* persistStream = probe.Get();
    IOleWindow* window = probe.Get();
    ASSERT_NE(static_cast<void*>(persistStream), static_cast<void*>(window));

    const struct {
        const IID* iid;
        void* expected;
    } answers[] = {{&IID_IPersistStream, persistStream},
                   {&IID_IPersist, persistStream},
                   {&IID_IOleWindow, window},
                   // IUnknown is the first entry, whichever interface is asked.
                   {&IID_IUnknown, persistStream}};
    for (const auto& answer : answers) {
        for (IUnknown* askedThrough : {static_cast<IUnknown*>(persistStream), static_cast<IUnknown*>(window)}) {
            void* found = nullptr;
            const ULONG before = References(persistStream);
            ASSERT_EQ(askedThrough->QueryInterface(*answer.iid, &found), S_OK);
            EXPECT_EQ(found, answer.expected);
            // Counted once for the caller.
            EXPECT_EQ(References(persistStream), before + 1);
            static_cast<IUnknown*>(found)->Release();
        }
    }

    void* found = window;
    EXPECT_EQ(window->QueryInterface(IID_IDispatch, &found), E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(window->QueryInterface(IID_IOleInPlaceSite, &found), E_NOINTERFACE);
    EXPECT_EQ(window->QueryInterface(IID_IPersist, nullptr), E_POINTER);
    EXPECT_EQ(References(persistStream), 1u);
    EXPECT_EQ(QueryInterfaceByTable(probe.Get(), {}, IID_IUnknown, &found), E_NOINTERFACE);
}

TEST(ComPtr, EveryOwnerCountsOnceAndTheLastDeletesTheObject) {
    bool deleted = false;
    {
        ComPtr<Probe> first = ComPtr<Probe>::Adopt(new Probe(deleted));
        EXPECT_EQ(References(first.Get()), 1u);
        ComPtr<Probe> copy = first;
        EXPECT_EQ(References(first.Get()), 2u);
        ComPtr<Probe> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(References(first.Get()), 2u);

        // Another interface of the same object, counted; none for a missing one.
        ComPtr<IOleWindow> window = first.As<IOleWindow>();
        ASSERT_TRUE(window);
        EXPECT_EQ(static_cast<IOleWindow*>(first.Get()), window.Get());
        EXPECT_EQ(References(first.Get()), 3u);
        EXPECT_FALSE(first.As<IDispatch>());
        EXPECT_EQ(References(first.Get()), 3u);

        // An out-parameter gives the old reference back first.
        void** slot = reinterpret_cast<void**>(window.Receive());
        EXPECT_EQ(References(first.Get()), 2u);
        ASSERT_EQ(first->QueryInterface(IID_IOleWindow, slot), S_OK);
        EXPECT_EQ(References(first.Get()), 3u);

        // A shared raw pointer gets a reference of its own.
        const ComPtr<IPersistStream> shared(static_cast<IPersistStream*>(first.Get()));
        EXPECT_EQ(References(first.Get()), 4u);
        first.Reset();
        moved = nullptr;
        window.Reset();
        EXPECT_FALSE(deleted);
        EXPECT_EQ(References(shared.Get()), 1u);
    }
    EXPECT_TRUE(deleted);

    // Detach hands the reference to the caller.
    deleted = false;
    ComPtr<Probe> owner = ComPtr<Probe>::Adopt(new Probe(deleted));
    Probe* raw = owner.Detach();
    EXPECT_FALSE(owner);
    EXPECT_FALSE(deleted);
    raw->Release();
    EXPECT_TRUE(deleted);
}

TEST(ComInitialization, UndoesOnlyWhatItDid) {
    std::thread([] {
        {
            const auto ole = ComInitialization::Ole();
            EXPECT_TRUE(ole.Succeeded());
        }
        // Uninitialised again: a new initialisation is the first one (S_OK,
        // not S_FALSE), in another model too.
        const auto mta = ComInitialization::Com(COINIT_MULTITHREADED);
        EXPECT_EQ(mta.Result(), S_OK);
        {
            // OLE needs a single-threaded apartment: refused on this thread,
            // and the refusal must not end the COM the thread has.
            const auto ole = ComInitialization::Ole();
            EXPECT_FALSE(ole.Succeeded());
        }
        const HRESULT again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(again, S_FALSE);  // still initialised
        if (SUCCEEDED(again)) CoUninitialize();
    }).join();
}

#endif  // _WIN32
