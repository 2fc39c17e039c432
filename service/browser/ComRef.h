#pragma once
#include <unknwn.h>

// Holds one reference to a COM object and releases it in the destructor.
template <typename Interface>
class CComRef {
public:
    CComRef() : m_object(nullptr) {}
    ~CComRef() { Release(); }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    Interface* Get() const { return m_object; }
    Interface* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // For the out-parameter of a creating call; releases what is held first.
    Interface** Receive() {
        Release();
        return &m_object;
    }
    // Takes a reference of its own on any interface the object answers to; false leaves this empty.
    bool QueryFrom(IUnknown* unknown) {
        Release();
        return unknown && SUCCEEDED(unknown->QueryInterface(__uuidof(Interface), reinterpret_cast<void**>(&m_object)));
    }
    void Release() {
        if (m_object)
            m_object->Release();
        m_object = nullptr;
    }

private:
    Interface* m_object;
};
