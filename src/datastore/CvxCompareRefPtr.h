#pragma once
// A counted reference on a shared store body (a CvxDataRefCount): AddRef when taken, Release
// when dropped. Store handles, iterators and the page cache hold their bodies through it, so
// that a body goes exactly when its last holder does, also during stack unwinding.

#include <utility>

template <typename Body>
class CvxCompareRefPtr {
public:
    CvxCompareRefPtr() = default;
    explicit CvxCompareRefPtr(Body* body) : m_body(body)
    {
        if (m_body != nullptr) {
            m_body->AddRef();
        }
    }
    CvxCompareRefPtr(const CvxCompareRefPtr& other) : CvxCompareRefPtr(other.m_body) {}
    CvxCompareRefPtr(CvxCompareRefPtr&& other) noexcept : m_body(std::exchange(other.m_body, nullptr)) {}
    CvxCompareRefPtr& operator=(CvxCompareRefPtr other) noexcept
    {
        std::swap(m_body, other.m_body);
        return *this;
    }
    ~CvxCompareRefPtr() { Reset(); }

    void Reset()
    {
        if (Body* body = std::exchange(m_body, nullptr)) {
            body->Release();
        }
    }

    Body* Get() const { return m_body; }
    Body* operator->() const { return m_body; }
    Body& operator*() const { return *m_body; }
    explicit operator bool() const { return m_body != nullptr; }
    // True when nobody but this reference holds the body.
    bool IsUnique() const { return m_body != nullptr && m_body->GetRefCount() == 1; }

private:
    Body* m_body = nullptr;
};
