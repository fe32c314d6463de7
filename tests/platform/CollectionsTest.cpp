#include "Collections.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace
{
template <class TYPE, class ARG_TYPE> std::vector<TYPE> Forward(const CList<TYPE, ARG_TYPE>& list)
{
    std::vector<TYPE> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        items.push_back(list.GetNext(pos));
    }
    return items;
}

template <class TYPE, class ARG_TYPE> std::vector<TYPE> Backward(const CList<TYPE, ARG_TYPE>& list)
{
    std::vector<TYPE> items;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
    {
        items.push_back(list.GetPrev(pos));
    }
    return items;
}

using IntList = CList<int, int>;
using Ints = std::vector<int>;
} // namespace

static_assert(!std::is_copy_constructible_v<IntList> && !std::is_copy_assignable_v<IntList>);
static_assert(std::is_move_constructible_v<IntList> && std::is_move_assignable_v<IntList>);
static_assert(!std::is_copy_constructible_v<CStringArray> && std::is_move_constructible_v<CStringArray>);

TEST(CList, HeadAndTailOperations)
{
    IntList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
    EXPECT_THROW(list.GetHead(), std::out_of_range);
    EXPECT_THROW(list.RemoveTail(), std::out_of_range);

    list.AddTail(2);
    list.AddTail(3);
    const POSITION first = list.AddHead(1);
    EXPECT_EQ(list.GetAt(first), 1);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.GetHead(), 1);
    EXPECT_EQ(list.GetTail(), 3);
    EXPECT_EQ(Forward(list), (Ints{1, 2, 3}));
    EXPECT_EQ(Backward(list), (Ints{3, 2, 1}));

    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 3);
    EXPECT_EQ(list.GetHead(), 2);
    EXPECT_EQ(list.GetTail(), 2);
    EXPECT_EQ(list.RemoveTail(), 2);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_EQ(list.GetTailPosition(), nullptr);
}

TEST(CList, RemovingTheElementJustReturnedWhileIterating)
{
    IntList list;
    for (int i = 1; i <= 8; ++i)
    {
        list.AddTail(i);
    }
    // Drop the even numbers, including the tail.
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION current = pos;
        const int value = list.GetNext(pos);
        if (value % 2 == 0)
        {
            list.RemoveAt(current);
        }
    }
    EXPECT_EQ(Forward(list), (Ints{1, 3, 5, 7}));
    EXPECT_EQ(Backward(list), (Ints{7, 5, 3, 1}));
    EXPECT_EQ(list.GetCount(), 4);

    // Removing everything that way leaves a usable empty list.
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION current = pos;
        list.GetNext(pos);
        list.RemoveAt(current);
    }
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(9);
    EXPECT_EQ(Forward(list), (Ints{9}));
    list.RemoveAt(nullptr);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(CList, InsertBeforeAndAfterTheEnds)
{
    IntList list;
    const POSITION middle = list.AddTail(5);
    const POSITION head = list.InsertBefore(middle, 4);
    const POSITION tail = list.InsertAfter(middle, 6);
    EXPECT_EQ(list.GetHeadPosition(), head);
    EXPECT_EQ(list.GetTailPosition(), tail);
    list.InsertBefore(head, 3);
    list.InsertAfter(tail, 7);
    list.InsertAfter(head, 40);
    list.InsertBefore(tail, 60);
    EXPECT_EQ(Forward(list), (Ints{3, 4, 40, 5, 60, 6, 7}));
    EXPECT_EQ(Backward(list), (Ints{7, 6, 60, 5, 40, 4, 3}));
    EXPECT_EQ(list.GetHead(), 3);
    EXPECT_EQ(list.GetTail(), 7);

    // A null position means before the head / after the tail.
    list.InsertBefore(nullptr, 0);
    list.InsertAfter(nullptr, 99);
    EXPECT_EQ(list.GetHead(), 0);
    EXPECT_EQ(list.GetTail(), 99);
    EXPECT_EQ(list.GetCount(), 9);

    IntList single;
    const POSITION only = single.AddHead(1);
    single.InsertAfter(only, 2);
    EXPECT_EQ(single.GetTail(), 2);
    single.InsertBefore(only, 0);
    EXPECT_EQ(Backward(single), (Ints{2, 1, 0}));
}

TEST(CList, FindFromAPositionAndFindIndex)
{
    IntList list;
    for (int value : {7, 8, 7, 9, 7})
    {
        list.AddTail(value);
    }
    const POSITION first = list.Find(7);
    EXPECT_EQ(first, list.GetHeadPosition());
    const POSITION second = list.Find(7, first);
    EXPECT_EQ(second, list.FindIndex(2));
    const POSITION third = list.Find(7, second);
    EXPECT_EQ(third, list.GetTailPosition());
    EXPECT_EQ(list.Find(7, third), nullptr);
    EXPECT_EQ(list.Find(42), nullptr);
    EXPECT_EQ(list.Find(9, list.FindIndex(3)), nullptr); // the start itself is not searched

    EXPECT_EQ(list.GetAt(list.FindIndex(3)), 9);
    EXPECT_EQ(list.FindIndex(0), list.GetHeadPosition());
    EXPECT_EQ(list.FindIndex(4), list.GetTailPosition());
    EXPECT_EQ(list.FindIndex(5), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    EXPECT_EQ(IntList().FindIndex(0), nullptr);
}

TEST(CList, SetAtGetAtAndBadPositions)
{
    CList<CString, LPCWSTR> names;
    const POSITION pos = names.AddTail(L"red");
    names.AddTail(L"blue");
    names.SetAt(pos, L"green");
    EXPECT_EQ(names.GetAt(pos), L"green");
    names.GetAt(pos) += L"ish";
    EXPECT_EQ(names.GetHead(), L"greenish");
    EXPECT_EQ(names.Find(L"blue"), names.GetTailPosition());

    POSITION none = nullptr;
    EXPECT_THROW(names.GetNext(none), std::invalid_argument);
    EXPECT_THROW(names.GetPrev(none), std::invalid_argument);
    EXPECT_THROW(names.GetAt(nullptr), std::invalid_argument);
    EXPECT_THROW(names.SetAt(nullptr, L"x"), std::invalid_argument);
    EXPECT_EQ(names.GetCount(), 2);
}

TEST(CList, AddListsAndMove)
{
    IntList list;
    list.AddTail(3);
    IntList other;
    other.AddTail(1);
    other.AddTail(2);
    list.AddHead(&other);
    EXPECT_EQ(Forward(list), (Ints{1, 2, 3}));
    list.AddTail(&other);
    EXPECT_EQ(Forward(list), (Ints{1, 2, 3, 1, 2}));
    list.AddTail(&list);
    EXPECT_EQ(Forward(list), (Ints{1, 2, 3, 1, 2, 1, 2, 3, 1, 2}));
    other.AddHead(&other);
    EXPECT_EQ(Forward(other), (Ints{1, 2, 1, 2}));
    list.AddTail(static_cast<const IntList*>(nullptr));
    EXPECT_EQ(list.GetCount(), 10);

    IntList moved(std::move(list));
    EXPECT_EQ(moved.GetCount(), 10);
    EXPECT_TRUE(list.IsEmpty()); // a moved-from list is empty and usable
    list.AddTail(5);
    EXPECT_EQ(Forward(list), (Ints{5}));
    moved = std::move(list);
    EXPECT_EQ(Forward(moved), (Ints{5}));

    moved.RemoveAll();
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_EQ(moved.GetTailPosition(), nullptr);
}

TEST(CList, ElementsAreDestroyed)
{
    auto counter = std::make_shared<int>(0);
    {
        CList<std::shared_ptr<int>> list;
        list.AddTail(counter);
        list.AddTail(counter);
        const POSITION pos = list.AddTail(counter);
        EXPECT_EQ(counter.use_count(), 4);
        list.RemoveAt(pos);
        EXPECT_EQ(counter.use_count(), 3);
        list.RemoveHead();
        EXPECT_EQ(counter.use_count(), 2);
    }
    EXPECT_EQ(counter.use_count(), 1);
}

TEST(CArray, AddSizeAndIndexing)
{
    CArray<int> array;
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(array.Add(10), 0);
    EXPECT_EQ(array.Add(20), 1);
    EXPECT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array.GetCount(), 2);
    EXPECT_EQ(array.GetUpperBound(), 1);
    EXPECT_EQ(array[1], 20);
    EXPECT_EQ(array.GetAt(0), 10);
    array.SetAt(0, 11);
    array.ElementAt(1) += 1;
    EXPECT_EQ(array.GetData()[0], 11);
    EXPECT_EQ(array.GetData()[1], 21);

    EXPECT_THROW(array[2], std::out_of_range);
    EXPECT_THROW(array[-1], std::out_of_range);
    EXPECT_THROW(array.GetAt(2), std::out_of_range);
    EXPECT_THROW(array.SetAt(5, 0), std::out_of_range);
    EXPECT_THROW(array.ElementAt(-3), std::out_of_range);
    const CArray<int>& constant = array;
    EXPECT_THROW(constant[2], std::out_of_range);
    EXPECT_EQ(array.GetSize(), 2);

    int nSum = 0;
    for (int value : array)
    {
        nSum += value;
    }
    EXPECT_EQ(nSum, 32);

    // Adding one of its own elements while the storage grows.
    for (int i = 0; i < 100; ++i)
    {
        array.Add(array[0]);
    }
    EXPECT_EQ(array[101], 11);
}

TEST(CArray, SetSizeAndSetAtGrowFillWithDefaults)
{
    CArray<int> array;
    array.SetSize(3);
    EXPECT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array[2], 0);
    array[2] = 7;
    array.SetAtGrow(5, 9);
    EXPECT_EQ(array.GetSize(), 6);
    EXPECT_EQ(array[2], 7);
    EXPECT_EQ(array[3], 0);
    EXPECT_EQ(array[4], 0);
    EXPECT_EQ(array[5], 9);
    array.SetAtGrow(1, 4); // inside: no growth
    EXPECT_EQ(array.GetSize(), 6);
    EXPECT_EQ(array[1], 4);
    EXPECT_THROW(array.SetAtGrow(-1, 0), std::out_of_range);

    array.SetSize(2, 32);
    EXPECT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array[1], 4);
    EXPECT_THROW(array.SetSize(-1), std::invalid_argument);
    EXPECT_EQ(array.GetSize(), 2);
    array.SetSize(0);
    EXPECT_TRUE(array.IsEmpty());
}

TEST(CArray, InsertAtShiftsAndRemoveAtCloses)
{
    CArray<int> array;
    for (int value : {1, 2, 3})
    {
        array.Add(value);
    }
    array.InsertAt(1, 9);
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{1, 9, 2, 3}));
    array.InsertAt(0, 0, 2);
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{0, 0, 1, 9, 2, 3}));
    array.InsertAt(6, 4); // at the end
    array.InsertAt(9, 5); // past the end: the gap gets defaults
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{0, 0, 1, 9, 2, 3, 4, 0, 0, 5}));
    array.InsertAt(-1, 8);
    array.InsertAt(0, 8, 0);
    array.InsertAt(0, 8, -2);
    EXPECT_EQ(array.GetSize(), 10);
    array.InsertAt(2, array[9]); // its own element
    EXPECT_EQ(array[2], 5);

    array.RemoveAt(2);
    array.RemoveAt(0, 2);
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{1, 9, 2, 3, 4, 0, 0, 5}));
    array.RemoveAt(5, 100); // cut at the end
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{1, 9, 2, 3, 4}));
    array.RemoveAt(5);
    array.RemoveAt(-1);
    array.RemoveAt(0, 0);
    array.RemoveAt(0, -1);
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{1, 9, 2, 3, 4}));

    CArray<int> other;
    other.Add(7);
    other.Add(8);
    array.InsertAt(1, &other);
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{1, 7, 8, 9, 2, 3, 4}));
    array.InsertAt(0, &array);
    EXPECT_EQ(array.GetSize(), 14);
    EXPECT_EQ(array[7], 1);
    array.InsertAt(0, static_cast<const CArray<int>*>(nullptr));
    EXPECT_EQ(array.GetSize(), 14);
}

TEST(CArray, AppendCopyAndMove)
{
    CArray<int> array;
    array.Add(1);
    CArray<int> other;
    other.Add(2);
    other.Add(3);
    EXPECT_EQ(array.Append(other), 1);
    EXPECT_EQ(array.Append(array), 3);
    EXPECT_EQ(std::vector<int>(array.begin(), array.end()), (Ints{1, 2, 3, 1, 2, 3}));
    other.Copy(array);
    EXPECT_EQ(other.GetSize(), 6);
    other.Copy(other);
    EXPECT_EQ(other.GetSize(), 6);
    array.RemoveAll();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(other[5], 3); // a copy, not shared storage

    CArray<int> moved(std::move(other));
    EXPECT_EQ(moved.GetSize(), 6);
}

TEST(CStringArray, AddAndRemoveAt)
{
    CStringArray names;
    EXPECT_EQ(names.Add(L"red"), 0);
    EXPECT_EQ(names.Add(CString(L"green")), 1);
    EXPECT_EQ(names.Add(L"blue"), 2);
    names.RemoveAt(1);
    EXPECT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[0], L"red");
    EXPECT_EQ(names[1], L"blue");
    names.InsertAt(1, L"cyan");
    names[2] += L"ish";
    EXPECT_EQ(names.GetAt(2), L"blueish");
    names.SetAtGrow(4, L"last");
    EXPECT_TRUE(names[3].IsEmpty());
    CString joined;
    for (const CString& name : names)
    {
        joined += name + L",";
    }
    EXPECT_EQ(joined, L"red,cyan,blueish,,last,");
    EXPECT_THROW(names[5], std::out_of_range);
}

TEST(CPtrCollections, HoldPointersWithoutOwningThem)
{
    int a = 1;
    int b = 2;
    CPtrArray array;
    array.Add(&a);
    array.Add(&b);
    EXPECT_EQ(*static_cast<int*>(array[1]), 2);

    CPtrList list;
    list.AddTail(&a);
    const POSITION pos = list.AddTail(&b);
    EXPECT_EQ(list.Find(&b), pos);
    EXPECT_EQ(list.Find(nullptr), nullptr);
    list.RemoveAll();
    EXPECT_EQ(a + b, 3);
}
