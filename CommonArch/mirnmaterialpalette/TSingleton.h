// The single instance of a class, created on first use or installed by the
// host. The instance pointer of each class is one module-wide variable: the
// module that owns the class defines TSingleton<T>::InstancePointer for it,
// so that every library that uses the template shares that one pointer.
#pragma once

#include "ErrorAutoThrow.h"

#include <exception>
#include <new>

template <class T> class TSingleton
{
public:
    // The instance, created on first use.
    static T* Instance()
    {
        T*& pInstance = InstancePointer();
        if (pInstance == nullptr)
        {
            pInstance = new T;
        }
        return pInstance;
    }
    static bool InstanceExists() { return InstancePointer() != nullptr; }

    // Makes the object the instance. When there is one already the object is
    // destroyed and the call still succeeds; a null object is an error 101.
    static CErrorAutoThrow InstallInstance(T* pObject)
    {
        if (pObject == nullptr)
        {
            return MIRN_ERR_INVALID_ARG;
        }
        T*& pInstance = InstancePointer();
        if (pInstance != nullptr)
        {
            delete pObject;
            return MIRN_ERR_NONE;
        }
        pInstance = pObject;
        return MIRN_ERR_NONE;
    }

    // Destroys the instance, if any, and forgets it.
    static void DeleteSingleton()
    {
        T*& pInstance = InstancePointer();
        if (pInstance != nullptr)
        {
            delete pInstance;
            pInstance = nullptr;
        }
    }

protected:
    // Defined by the module that owns T.
    static T*& InstancePointer();
};

// A singleton whose instance is of the class TImpl, derived from T.
template <class T, class TImpl> class TDynamicSingleton : public TSingleton<T>
{
public:
    // Constructs a new TImpl and makes it the instance: error 101 when it
    // cannot be allocated, 102 when its construction raises another standard
    // exception. A new object that does not become the instance (an error,
    // or an instance that exists already) is destroyed.
    static CErrorAutoThrow CreateSingleton()
    {
        CErrorAutoThrow error;
        T* pNew = nullptr;
        try
        {
            pNew = new (std::nothrow) TImpl;
            if (pNew == nullptr)
            {
                error = MIRN_ERR_INVALID_ARG;
            }
        }
        catch (const std::bad_alloc&)
        {
            error = MIRN_ERR_INVALID_ARG;
        }
        catch (const std::exception&)
        {
            error = MIRN_ERR_STD_EXCEPTION;
        }
        if (pNew == nullptr)
        {
            return error;
        }
        if (error.IsError() || TSingleton<T>::InstanceExists())
        {
            delete pNew;
            return error;
        }
        TSingleton<T>::InstancePointer() = pNew;
        return error;
    }
};
