#include "ComBase.h"

#include <gtest/gtest.h>

namespace
{
constexpr GUID kMaterialServices = GuidFromLiteral(L"{5542FF81-C8A4-4A2E-A332-6E9DCAD92574}");

struct IFirst : IUnknown
{
    DECLARE_INTERFACE_IID(L"{11111111-2222-3333-4444-555555555555}");
    virtual int First() = 0;
};
struct ISecond : IUnknown
{
    DECLARE_INTERFACE_IID(L"{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");
    virtual int Second() = 0;
};
struct INotOffered : IUnknown
{
    DECLARE_INTERFACE_IID(L"{00000001-0000-0000-0000-000000000000}");
};

class CBoth : public TUnknownImpl<IFirst, ISecond>
{
public:
    explicit CBoth(int* destroyed) : m_pDestroyed(destroyed) {}
    int First() override { return 1; }
    int Second() override { return 2; }

protected:
    ~CBoth() override { ++*m_pDestroyed; }

private:
    int* m_pDestroyed;
};
} // namespace

TEST(Guid, FieldsAreReadAsTheTextShowsThem)
{
    EXPECT_EQ(kMaterialServices.Data1, 0x5542FF81u);
    EXPECT_EQ(kMaterialServices.Data2, 0xC8A4);
    EXPECT_EQ(kMaterialServices.Data3, 0x4A2E);
    const BYTE tail[8] = {0xA3, 0x32, 0x6E, 0x9D, 0xCA, 0xD9, 0x25, 0x74};
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ(kMaterialServices.Data4[i], tail[i]) << i;
    }
}

TEST(Guid, StringFromGuid2WritesBracesUpperCaseAndCountsTheNul)
{
    wchar_t buffer[39];
    EXPECT_EQ(StringFromGUID2(kMaterialServices, buffer, 39), 39);
    EXPECT_STREQ(buffer, L"{5542FF81-C8A4-4A2E-A332-6E9DCAD92574}");
    EXPECT_EQ(StringFromGUID2(kMaterialServices, buffer, 38), 0);
    // Leading zeros are kept in every group.
    const GUID small{0x1, 0x2, 0x3, {0, 4, 0, 0, 0, 0, 0, 5}};
    EXPECT_EQ(GuidToString(small), L"{00000001-0002-0003-0004-000000000005}");
}

TEST(Guid, ParsingRoundTripsAndRejectsMalformedText)
{
    GUID g{};
    ASSERT_TRUE(GuidFromString(L"{1c66826f-3370-4af8-a4c8-1896e1eff326}", g));
    EXPECT_EQ(GuidToString(g), L"{1C66826F-3370-4AF8-A4C8-1896E1EFF326}");
    ASSERT_TRUE(GuidFromString(L"1C66826F-3370-4AF8-A4C8-1896E1EFF326", g));
    EXPECT_EQ(g, GuidFromLiteral(L"{1C66826F-3370-4AF8-A4C8-1896E1EFF326}"));

    const GUID before = g;
    for (const wchar_t* bad :
         {L"", L"{1C66826F-3370-4AF8-A4C8-1896E1EFF32}", L"{1C66826F-3370-4AF8-A4C8-1896E1EFF3261}",
          L"{1C66826F33704AF8A4C81896E1EFF326aaaa}", L"(1C66826F-3370-4AF8-A4C8-1896E1EFF326)",
          L"{1C66826G-3370-4AF8-A4C8-1896E1EFF326}", L"{1C66826F-3370-4AF8-A4C8-1896E1EFF326"})
    {
        EXPECT_FALSE(GuidFromString(bad, g)) << bad;
        EXPECT_EQ(g, before) << "a failed parse must not change the output";
    }
    IID iid{};
    EXPECT_EQ(IIDFromString(L"5542FF81-C8A4-4A2E-A332-6E9DCAD92574", &iid), CO_E_CLASSSTRING);
    EXPECT_EQ(IIDFromString(L"{5542FF81-C8A4-4A2E-A332-6E9DCAD92574}", &iid), S_OK);
    EXPECT_EQ(iid, kMaterialServices);
}

TEST(ComBase, QueryInterfaceCountsReferencesAndAnswersOnlyWhatIsOffered)
{
    int destroyed = 0;
    auto* object = new CBoth(&destroyed);
    CComPtr<IFirst> first;
    first.Attach(object);
    EXPECT_EQ(object->GetRefCount(), 1u);

    CComPtr<ISecond> second;
    ASSERT_EQ(first.QueryInterface(&second), S_OK);
    EXPECT_EQ(second->Second(), 2);
    EXPECT_EQ(object->GetRefCount(), 2u);

    void* raw = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(first->QueryInterface(IID_OF(INotOffered), &raw), E_NOINTERFACE);
    EXPECT_EQ(raw, nullptr);
    EXPECT_EQ(object->GetRefCount(), 2u);

    // IUnknown from either interface is the same object identity.
    CComPtr<IUnknown> u1;
    CComPtr<IUnknown> u2;
    ASSERT_EQ(first.QueryInterface(&u1), S_OK);
    ASSERT_EQ(second.QueryInterface(&u2), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(u1), static_cast<IUnknown*>(u2));
    u1 = nullptr;
    u2.Release();

    CComPtr<IFirst> copy = first;
    EXPECT_EQ(object->GetRefCount(), 3u);
    CComPtr<IFirst> moved = std::move(copy);
    EXPECT_EQ(object->GetRefCount(), 3u);
    EXPECT_TRUE(copy.IsNull());
    moved = first; // same object: no change
    EXPECT_EQ(object->GetRefCount(), 3u);

    moved.Release();
    second.Release();
    EXPECT_EQ(destroyed, 0);
    first.Release();
    EXPECT_EQ(destroyed, 1);
}

TEST(ComBase, DetachHandsTheReferenceOver)
{
    int destroyed = 0;
    CComPtr<IFirst> holder;
    holder.Attach(new CBoth(&destroyed));
    IFirst* raw = holder.Detach();
    EXPECT_TRUE(holder.IsNull());
    EXPECT_EQ(destroyed, 0);
    IFirst* out = nullptr;
    CComPtr<IFirst> again(raw); // adds a reference: two now
    ASSERT_EQ(again.CopyTo(&out), S_OK);
    EXPECT_EQ(out->Release(), 2u);
    EXPECT_EQ(raw->Release(), 1u);
    again.Release();
    EXPECT_EQ(destroyed, 1);
}
