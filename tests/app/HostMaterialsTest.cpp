#include "HostMaterials.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
SHostMaterial Plain(int nStyle, COLORREF clrColor)
{
    SHostMaterial material;
    material.nStyle = nStyle;
    material.clrColor = clrColor;
    return material;
}
} // namespace

TEST(HostMaterials, StartsBlackOnWhiteBothEnabledWithoutTextures)
{
    const CHostMaterials materials;
    EXPECT_EQ(materials.Material(true), (Plain(kHostStyleSolid, RGB(0, 0, 0))));
    EXPECT_EQ(materials.Material(false), (Plain(kHostStyleSolid, RGB(255, 255, 255))));
    EXPECT_TRUE(materials.IsEnabled(true));
    EXPECT_TRUE(materials.IsEnabled(false));
    EXPECT_FALSE(materials.IsTextureOn(true));
    EXPECT_TRUE(materials.Recent().empty());
}

TEST(HostMaterials, ColoursAndStylesReportTheirSideAndJoinTheRecentList)
{
    CHostMaterials materials;
    std::vector<unsigned> changes;
    materials.SetChangeListener([&](unsigned nChanges) { changes.push_back(nChanges); });

    materials.SetStyle(true, kHostStyleGradient);
    // Only the colour's lower three bytes count.
    materials.SetSolidColor(false, 0xFF336699);
    EXPECT_EQ(materials.Material(true).nStyle, kHostStyleGradient);
    EXPECT_EQ(materials.Material(false), (Plain(kHostStyleSolid, 0x00336699)));
    EXPECT_EQ(changes, (std::vector<unsigned>{0x01, 0x02}));
    ASSERT_EQ(materials.Recent().size(), 2u);
    EXPECT_EQ(materials.Recent()[0].clrColor, 0x00336699u);
    EXPECT_EQ(materials.Recent()[1].nStyle, kHostStyleGradient);

    // Setting the same style again changes nothing.
    materials.SetStyle(true, kHostStyleGradient);
    EXPECT_EQ(changes.size(), 2u);
}

TEST(HostMaterials, OneSideAlwaysStaysEnabled)
{
    CHostMaterials materials;
    std::vector<unsigned> changes;
    materials.SetChangeListener([&](unsigned nChanges) { changes.push_back(nChanges); });
    EXPECT_TRUE(materials.SetEnabled(true, false));
    EXPECT_FALSE(materials.SetEnabled(false, false));
    EXPECT_TRUE(materials.IsEnabled(false));
    EXPECT_TRUE(materials.SetEnabled(true, true));
    EXPECT_TRUE(materials.SetEnabled(false, false));
    EXPECT_EQ(changes, (std::vector<unsigned>{0x10, 0x10, 0x10}));
}

TEST(HostMaterials, SwapExchangesMaterialsEnabledStatesAndTextures)
{
    CHostMaterials materials;
    materials.SetSolidColor(true, RGB(200, 0, 0));
    materials.SetTexture(true, true);
    materials.SetEnabled(false, false);
    unsigned nChanges = 0;
    materials.SetChangeListener([&](unsigned n) { nChanges = n; });

    materials.Swap();
    EXPECT_EQ(materials.Material(true).clrColor, RGB(255, 255, 255));
    EXPECT_EQ(materials.Material(false).clrColor, RGB(200, 0, 0));
    EXPECT_FALSE(materials.IsEnabled(true));
    EXPECT_TRUE(materials.IsEnabled(false));
    EXPECT_TRUE(materials.IsTextureOn(false));
    EXPECT_FALSE(materials.IsTextureOn(true));
    EXPECT_EQ(nChanges, 31u);
}

TEST(HostMaterials, PartialSwapsExchangeOnlyColoursOrOnlyTextures)
{
    CHostMaterials materials;
    materials.SetStyle(true, kHostStylePattern);
    materials.SetTexture(false, true);
    std::vector<unsigned> changes;
    materials.SetChangeListener([&](unsigned n) { changes.push_back(n); });

    materials.SwapColors();
    EXPECT_EQ(materials.Material(true), (Plain(kHostStylePattern, RGB(255, 255, 255))));
    EXPECT_EQ(materials.Material(false), (Plain(kHostStyleSolid, RGB(0, 0, 0))));
    EXPECT_FALSE(materials.IsTextureOn(true));

    materials.SwapTextures();
    EXPECT_TRUE(materials.IsTextureOn(true));
    EXPECT_FALSE(materials.IsTextureOn(false));
    EXPECT_EQ(materials.Material(true).nStyle, kHostStylePattern);
    EXPECT_EQ(changes, (std::vector<unsigned>{3, 12}));
}

TEST(HostMaterials, RecentListKeepsTenDistinctMostRecentFirst)
{
    CHostMaterials materials;
    for (int i = 1; i <= 12; ++i)
        materials.SetSolidColor(true, RGB(i, 0, 0));
    ASSERT_EQ(materials.Recent().size(), CHostMaterials::kMaxRecent);
    EXPECT_EQ(materials.Recent().front().clrColor, RGB(12, 0, 0));
    EXPECT_EQ(materials.Recent().back().clrColor, RGB(3, 0, 0));

    // Using an older material again moves it to the front, once.
    materials.SetSolidColor(false, RGB(5, 0, 0));
    EXPECT_EQ(materials.Recent().size(), 10u);
    EXPECT_EQ(materials.Recent()[0].clrColor, RGB(5, 0, 0));
    EXPECT_EQ(materials.Recent()[1].clrColor, RGB(12, 0, 0));
    EXPECT_EQ(std::count(materials.Recent().begin(), materials.Recent().end(), Plain(1, RGB(5, 0, 0))), 1);
}

TEST(HostMaterials, SubscribersHearNotificationsAndMayLeaveWhileCalled)
{
    CHostMaterials materials;
    std::vector<int> first;
    std::vector<int> second;
    int nSecond = 0;
    const int nFirst = materials.Subscribe([&](int n) { first.push_back(n); });
    nSecond = materials.Subscribe(
        [&](int n)
        {
            second.push_back(n);
            materials.Unsubscribe(nSecond);
        });
    EXPECT_NE(nFirst, nSecond);
    EXPECT_EQ(materials.Subscribe(nullptr), -1);

    materials.SetSolidColor(true, RGB(1, 2, 3));
    EXPECT_EQ(first, (std::vector<int>{kNotifyRecentChanged, kNotifyMaterialChanged}));
    EXPECT_EQ(second, (std::vector<int>{kNotifyRecentChanged}));

    materials.ClearRecent();
    EXPECT_EQ(first.back(), kNotifyRecentCleared);
    EXPECT_TRUE(materials.Unsubscribe(nFirst));
    EXPECT_FALSE(materials.Unsubscribe(nFirst));
    EXPECT_FALSE(materials.Unsubscribe(12345));
}

TEST(HostMaterials, DumpsSidesAndRecentListAsJson)
{
    CHostMaterials materials;
    materials.SetSolidColor(true, RGB(255, 128, 0));
    materials.SetTexture(false, true);
    const nlohmann::json expected = nlohmann::json::parse(R"({
        "foreground": {"style": 1, "color": "#FF8000", "enabled": true, "texture": false},
        "background": {"style": 1, "color": "#FFFFFF", "enabled": true, "texture": true},
        "recent": [{"style": 1, "color": "#FF8000"}]})");
    EXPECT_EQ(materials.ToJson(), expected);
    EXPECT_EQ(ColorToHex(RGB(1, 0xAB, 0x0F)), "#01AB0F");
}
