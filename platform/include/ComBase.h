// Reference-counted interfaces queried by identifier, the smart pointer that
// holds them, and a base that implements the counting for a class offering
// one or more interfaces.
#pragma once

#include "Guid.h"

#include <atomic>
#include <memory>
#include <utility>

// Gives an interface its identifier: IID_OF(IMaterialServices).
#define DECLARE_INTERFACE_IID(text) static constexpr GUID kIID = GuidFromLiteral(text)
#define IID_OF(T) (T::kIID)

struct IUnknown
{
    DECLARE_INTERFACE_IID(L"{00000000-0000-0000-C000-000000000046}");

    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    // Objects go away through Release, never through delete on an interface.
    virtual ~IUnknown() = default;
};
constexpr IID IID_IUnknown = IUnknown::kIID;

// Reference counting for a class that implements the given interfaces, each
// derived from IUnknown and carrying DECLARE_INTERFACE_IID. QueryInterface
// answers IUnknown and every listed interface; a derived class may add more
// by overriding QueryInterface and calling this one last.
template <typename First, typename... Rest> class TUnknownImpl : public First, public Rest...
{
public:
    TUnknownImpl() = default;
    TUnknownImpl(const TUnknownImpl&) = delete;
    TUnknownImpl& operator=(const TUnknownImpl&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr)
        {
            return E_POINTER;
        }
        *ppvObject = nullptr;
        if (riid == IID_IUnknown)
        {
            *ppvObject = static_cast<IUnknown*>(static_cast<First*>(this));
        }
        else
        {
            Find<First, Rest...>(riid, ppvObject);
        }
        if (*ppvObject == nullptr)
        {
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_nRefs; }
    ULONG Release() override
    {
        const ULONG left = --m_nRefs;
        if (left == 0)
        {
            delete this;
        }
        return left;
    }
    ULONG GetRefCount() const { return m_nRefs.load(); }

protected:
    ~TUnknownImpl() override = default;

private:
    template <typename I, typename... More> void Find(REFIID riid, void** ppvObject)
    {
        if (riid == IID_OF(I))
        {
            *ppvObject = static_cast<I*>(this);
            return;
        }
        if constexpr (sizeof...(More) > 0)
        {
            Find<More...>(riid, ppvObject);
        }
    }

    std::atomic<ULONG> m_nRefs{1};
};

// Holds one reference to an interface.
template <typename T> class CComPtr
{
public:
    CComPtr() = default;
    CComPtr(std::nullptr_t) {}
    CComPtr(T* p) : p(p)
    {
        if (p != nullptr)
        {
            p->AddRef();
        }
    }
    CComPtr(const CComPtr& o) : CComPtr(o.p) {}
    CComPtr(CComPtr&& o) noexcept : p(std::exchange(o.p, nullptr)) {}
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* q)
    {
        if (q != p)
        {
            CComPtr tmp(q);
            std::swap(p, tmp.p);
        }
        return *this;
    }
    CComPtr& operator=(const CComPtr& o) { return *this = o.p; }
    CComPtr& operator=(CComPtr&& o) noexcept
    {
        if (this != std::addressof(o))
        {
            Release();
            p = std::exchange(o.p, nullptr);
        }
        return *this;
    }
    CComPtr& operator=(std::nullptr_t)
    {
        Release();
        return *this;
    }

    operator T*() const { return p; }
    T* operator->() const { return p; }
    T& operator*() const { return *p; }
    // For out-parameters: the pointer must be empty, or its reference would leak.
    T** operator&()
    {
        Release();
        return &p;
    }
    bool operator!() const { return p == nullptr; }
    bool IsNull() const { return p == nullptr; }

    void Release()
    {
        if (T* q = std::exchange(p, nullptr))
        {
            q->Release();
        }
    }
    // Takes over a reference the caller already owns.
    void Attach(T* q)
    {
        Release();
        p = q;
    }
    // Gives up the reference without releasing it.
    T* Detach() { return std::exchange(p, nullptr); }
    HRESULT CopyTo(T** out) const
    {
        if (out == nullptr)
        {
            return E_POINTER;
        }
        *out = p;
        if (p != nullptr)
        {
            p->AddRef();
        }
        return S_OK;
    }
    template <typename Q> HRESULT QueryInterface(Q** out) const
    {
        if (out == nullptr)
        {
            return E_POINTER;
        }
        *out = nullptr;
        if (p == nullptr)
        {
            return E_POINTER;
        }
        return p->QueryInterface(IID_OF(Q), reinterpret_cast<void**>(out));
    }

    T* p = nullptr;
};
