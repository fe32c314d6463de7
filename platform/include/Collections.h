// The class library's list and array templates. Like the originals they
// cannot be copied (use Copy, Append or AddTail); unlike them they can be moved.
// Caller mistakes that would read or write outside the collection throw
// std::out_of_range (or std::invalid_argument) instead of corrupting memory;
// removals and insertions with impossible arguments do nothing. A POSITION is
// only meaningful for the list that handed it out.
#pragma once

#include "CString.h"
#include "WinDef.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// An opaque place in a list; null means "none" (before the head or past the tail).
struct __POSITION
{
};
using POSITION = __POSITION*;

template <class TYPE, class ARG_TYPE = const TYPE&> class CList
{
public:
    // The block size is accepted for compatibility; nodes are allocated one by one.
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize) {}
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    CList(CList&& other) noexcept { TakeFrom(other); }
    CList& operator=(CList&& other) noexcept
    {
        if (this != &other)
        {
            RemoveAll();
            TakeFrom(other);
        }
        return *this;
    }
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return NonEmpty("GetHead")->data; }
    const TYPE& GetHead() const { return NonEmpty("GetHead")->data; }
    TYPE& GetTail() { return NonEmpty("GetTail", false)->data; }
    const TYPE& GetTail() const { return NonEmpty("GetTail", false)->data; }

    POSITION AddHead(ARG_TYPE newElement)
    {
        return ToPosition(Link(new SNode{TYPE(newElement)}, nullptr, m_pHead));
    }
    POSITION AddTail(ARG_TYPE newElement)
    {
        return ToPosition(Link(new SNode{TYPE(newElement)}, m_pTail, nullptr));
    }
    // Puts a copy of every element of pNewList, in its order, before the head
    // or after the tail. A list may be added to itself.
    void AddHead(const CList* pNewList)
    {
        if (pNewList == nullptr)
        {
            return;
        }
        SNode* pNode = pNewList->m_pTail;
        for (INT_PTR n = pNewList->m_nCount; n > 0; --n, pNode = pNode->pPrevious)
        {
            AddHead(pNode->data);
        }
    }
    void AddTail(const CList* pNewList)
    {
        if (pNewList == nullptr)
        {
            return;
        }
        SNode* pNode = pNewList->m_pHead;
        for (INT_PTR n = pNewList->m_nCount; n > 0; --n, pNode = pNode->pNext)
        {
            AddTail(pNode->data);
        }
    }

    TYPE RemoveHead() { return Unlink(NonEmpty("RemoveHead")); }
    TYPE RemoveTail() { return Unlink(NonEmpty("RemoveTail", false)); }
    void RemoveAll()
    {
        while (m_pHead != nullptr)
        {
            SNode* pNext = m_pHead->pNext;
            delete m_pHead;
            m_pHead = pNext;
        }
        m_pTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return ToPosition(m_pHead); }
    POSITION GetTailPosition() const { return ToPosition(m_pTail); }
    // The element at rPosition; rPosition moves to the next (previous) one, or null.
    TYPE& GetNext(POSITION& rPosition)
    {
        SNode* pNode = Valid(rPosition, "GetNext");
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        SNode* pNode = Valid(rPosition, "GetNext");
        rPosition = ToPosition(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        SNode* pNode = Valid(rPosition, "GetPrev");
        rPosition = ToPosition(pNode->pPrevious);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        SNode* pNode = Valid(rPosition, "GetPrev");
        rPosition = ToPosition(pNode->pPrevious);
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return Valid(position, "GetAt")->data; }
    const TYPE& GetAt(POSITION position) const { return Valid(position, "GetAt")->data; }
    void SetAt(POSITION position, ARG_TYPE newElement) { Valid(position, "SetAt")->data = newElement; }
    // Positions of other elements stay valid; a null position is ignored.
    void RemoveAt(POSITION position)
    {
        if (position != nullptr)
        {
            Unlink(ToNode(position));
        }
    }
    // Before a null position means at the head, after it at the tail.
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
        {
            return AddHead(newElement);
        }
        SNode* pNext = ToNode(position);
        return ToPosition(Link(new SNode{TYPE(newElement)}, pNext->pPrevious, pNext));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
        {
            return AddTail(newElement);
        }
        SNode* pPrevious = ToNode(position);
        return ToPosition(Link(new SNode{TYPE(newElement)}, pPrevious, pPrevious->pNext));
    }

    // The first element equal to searchValue after startAfter (from the head
    // when null), or null.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        SNode* pNode = startAfter == nullptr ? m_pHead : ToNode(startAfter)->pNext;
        for (; pNode != nullptr; pNode = pNode->pNext)
        {
            if (pNode->data == searchValue)
            {
                return ToPosition(pNode);
            }
        }
        return nullptr;
    }
    // The position of the element with this zero-based index, or null.
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
        {
            return nullptr;
        }
        SNode* pNode = m_pHead;
        for (; nIndex > 0; --nIndex)
        {
            pNode = pNode->pNext;
        }
        return ToPosition(pNode);
    }

private:
    struct SNode
    {
        TYPE data;
        SNode* pNext = nullptr;
        SNode* pPrevious = nullptr;
    };

    static POSITION ToPosition(SNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static SNode* ToNode(POSITION position) { return reinterpret_cast<SNode*>(position); }

    static SNode* Valid(POSITION position, const char* pszOperation)
    {
        if (position == nullptr)
        {
            throw std::invalid_argument(std::string("CList::") + pszOperation + ": null position");
        }
        return ToNode(position);
    }

    SNode* NonEmpty(const char* pszOperation, bool bHead = true) const
    {
        if (m_nCount == 0)
        {
            throw std::out_of_range(std::string("CList::") + pszOperation + ": the list is empty");
        }
        return bHead ? m_pHead : m_pTail;
    }

    SNode* Link(SNode* pNode, SNode* pPrevious, SNode* pNext)
    {
        pNode->pPrevious = pPrevious;
        pNode->pNext = pNext;
        (pPrevious != nullptr ? pPrevious->pNext : m_pHead) = pNode;
        (pNext != nullptr ? pNext->pPrevious : m_pTail) = pNode;
        ++m_nCount;
        return pNode;
    }

    TYPE Unlink(SNode* pNode)
    {
        (pNode->pPrevious != nullptr ? pNode->pPrevious->pNext : m_pHead) = pNode->pNext;
        (pNode->pNext != nullptr ? pNode->pNext->pPrevious : m_pTail) = pNode->pPrevious;
        --m_nCount;
        TYPE value(std::move(pNode->data));
        delete pNode;
        return value;
    }

    void TakeFrom(CList& other) noexcept
    {
        m_pHead = std::exchange(other.m_pHead, nullptr);
        m_pTail = std::exchange(other.m_pTail, nullptr);
        m_nCount = std::exchange(other.m_nCount, 0);
        m_nBlockSize = other.m_nBlockSize;
    }

    SNode* m_pHead = nullptr;
    SNode* m_pTail = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize = 10;
};

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray
{
    // std::vector<bool> hands out proxies, not references; use BOOL.
    static_assert(!std::is_same_v<TYPE, bool>, "CArray<bool> is not supported; use CArray<BOOL>");

public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    CArray(CArray&&) noexcept = default;
    CArray& operator=(CArray&&) noexcept = default;
    ~CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_aItems.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_aItems.empty(); }

    // New elements are value-initialised. The growth step is accepted for
    // compatibility; the storage grows geometrically anyway.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        if (nNewSize < 0)
        {
            throw std::invalid_argument("CArray::SetSize: negative size " + std::to_string(nNewSize));
        }
        m_aItems.resize(static_cast<std::size_t>(nNewSize));
    }

    // Returns the index of the new element.
    INT_PTR Add(ARG_TYPE newElement)
    {
        // A copy first: the argument may be an element of this array.
        TYPE value(newElement);
        m_aItems.push_back(std::move(value));
        return GetUpperBound();
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& source)
    {
        const INT_PTR nFirst = GetSize();
        if (&source == this)
        {
            const std::vector<TYPE> items(m_aItems);
            m_aItems.insert(m_aItems.end(), items.begin(), items.end());
        }
        else
        {
            m_aItems.insert(m_aItems.end(), source.m_aItems.begin(), source.m_aItems.end());
        }
        return nFirst;
    }
    void Copy(const CArray& source)
    {
        if (&source != this)
        {
            m_aItems = source.m_aItems;
        }
    }

    // Inserting at or past the end grows the array first, filling the gap
    // with default values. A negative index or a count below 1 does nothing.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 1)
        {
            return;
        }
        TYPE value(newElement);
        if (nIndex > GetSize())
        {
            m_aItems.resize(static_cast<std::size_t>(nIndex));
        }
        m_aItems.insert(m_aItems.begin() + nIndex, static_cast<std::size_t>(nCount), value);
    }
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (nStartIndex < 0 || pNewArray == nullptr || pNewArray->IsEmpty())
        {
            return;
        }
        const std::vector<TYPE> items(pNewArray->m_aItems);
        if (nStartIndex > GetSize())
        {
            m_aItems.resize(static_cast<std::size_t>(nStartIndex));
        }
        m_aItems.insert(m_aItems.begin() + nStartIndex, items.begin(), items.end());
    }
    // Removes up to nCount elements from nIndex; indexes outside the array do nothing.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nIndex >= GetSize() || nCount < 1)
        {
            return;
        }
        const INT_PTR nRemoved = std::min(nCount, GetSize() - nIndex);
        m_aItems.erase(m_aItems.begin() + nIndex, m_aItems.begin() + nIndex + nRemoved);
    }
    void RemoveAll() { m_aItems.clear(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_aItems[Checked(nIndex, "GetAt")]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_aItems[Checked(nIndex, "SetAt")] = newElement; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_aItems[Checked(nIndex, "ElementAt")]; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_aItems[Checked(nIndex, "ElementAt")]; }
    TYPE& operator[](INT_PTR nIndex) { return m_aItems[Checked(nIndex, "operator[]")]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_aItems[Checked(nIndex, "operator[]")]; }
    // Sets the element, growing the array (with default values) to reach it.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
        {
            throw std::out_of_range("CArray::SetAtGrow: negative index " + std::to_string(nIndex));
        }
        TYPE value(newElement);
        if (nIndex >= GetSize())
        {
            m_aItems.resize(static_cast<std::size_t>(nIndex) + 1);
        }
        m_aItems[static_cast<std::size_t>(nIndex)] = std::move(value);
    }

    // Null when the array is empty.
    TYPE* GetData() { return m_aItems.empty() ? nullptr : m_aItems.data(); }
    const TYPE* GetData() const { return m_aItems.empty() ? nullptr : m_aItems.data(); }

    TYPE* begin() { return m_aItems.data(); }
    TYPE* end() { return m_aItems.data() + m_aItems.size(); }
    const TYPE* begin() const { return m_aItems.data(); }
    const TYPE* end() const { return m_aItems.data() + m_aItems.size(); }

private:
    std::size_t Checked(INT_PTR nIndex, const char* pszOperation) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
        {
            throw std::out_of_range(std::string("CArray::") + pszOperation + ": index " +
                                    std::to_string(nIndex) + " outside an array of size " +
                                    std::to_string(GetSize()));
        }
        return static_cast<std::size_t>(nIndex);
    }

    std::vector<TYPE> m_aItems;
};

// Classes rather than aliases, so that headers can declare them ahead.
class CStringArray : public CArray<CString, const CString&>
{
};

class CPtrArray : public CArray<void*, void*>
{
};

class CPtrList : public CList<void*, void*>
{
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};
