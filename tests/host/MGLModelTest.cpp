#include "MGLModel.h"
#include "MGLObjectAccess.h"
#include "RowIterator.h"

#include <gtest/gtest.h>

namespace
{
// A colour that no getter writes, to see a pointer overwritten.
const COLORREF kNoColor = 0x7F7F7F7F;

// Every test ends with as many live model objects as it started with.
class MGLModelTest : public ::testing::Test
{
protected:
    void SetUp() override { m_nLiveAtStart = LiveMGLObjectCount(); }
    void TearDown() override { EXPECT_EQ(LiveMGLObjectCount(), m_nLiveAtStart); }

    // Reads a property the way the palette does: property, value, typed
    // interface. Nothing when any step finds nothing.
    template <typename I, typename R>
    std::optional<R> Read(IMGLObject* pObject, int nId, R (I::*pfnGet)() const)
    {
        CErrorAutoThrow error;
        CComPtr<IMGLProperty> pProperty;
        pObject->GetProperty(error, nId, &pProperty.p);
        if (pProperty == nullptr)
            return std::nullopt;
        CComPtr<IMGLValue> pValue;
        pProperty->GetValue(error, &pValue.p);
        if (pValue == nullptr)
            return std::nullopt;
        CComPtr<I> pTyped;
        if (pValue->QueryInterface(IID_OF(I), reinterpret_cast<void**>(&pTyped.p)) != S_OK)
            return std::nullopt;
        return (pTyped.p->*pfnGet)();
    }

    void Write(IMGLObject* pObject, int nId, IMGLValue* pValue)
    {
        CErrorAutoThrow error;
        CComPtr<IMGLProperty> pProperty;
        m_properties.CreateProperty(error, nId, pValue, &pProperty.p);
        ASSERT_TRUE(error.IsOk());
        pObject->SetProperty(error, pProperty);
        ASSERT_TRUE(error.IsOk());
        pValue->Release();
    }

    CMGLObjectFactory m_objects;
    CMGLValueFactory m_values;
    CMGLPropertyFactory m_properties;
    int m_nLiveAtStart = 0;
};

} // namespace

TEST_F(MGLModelTest, PropertiesHoldTypedValuesByNumber)
{
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pSettings;
    m_objects.CreateObject(error, 7, &pSettings.p);
    ASSERT_TRUE(error.IsOk());
    ASSERT_NE(pSettings, nullptr);
    EXPECT_EQ(pSettings->GetObjectKind(), 7);

    IMGLValue* pValue = nullptr;
    m_values.CreateInteger(error, 45, &pValue);
    Write(pSettings, MGL_PROP_ANGLE, pValue);
    m_values.CreateLength(error, 0.25, &pValue);
    Write(pSettings, MGL_PROP_CENTER_X, pValue);
    m_values.CreateString(error, L"Spectrum", &pValue);
    Write(pSettings, MGL_PROP_RESOURCE_NAME, pValue);
    m_values.CreateBool(error, true, &pValue);
    Write(pSettings, MGL_PROP_INVERT, pValue);
    m_values.CreateDouble(error, 1.5, &pValue);
    Write(pSettings, MGL_PROP_SCALE, pValue);

    EXPECT_EQ(Read(pSettings.p, MGL_PROP_ANGLE, &IMGLIntegerValue::GetInteger), 45);
    EXPECT_EQ(Read(pSettings.p, MGL_PROP_CENTER_X, &IMGLLengthValue::GetLength), 0.25);
    EXPECT_EQ(Read(pSettings.p, MGL_PROP_RESOURCE_NAME, &IMGLStringValue::GetString), CString(L"Spectrum"));
    EXPECT_EQ(Read(pSettings.p, MGL_PROP_INVERT, &IMGLBoolValue::GetBool), true);
    EXPECT_EQ(Read(pSettings.p, MGL_PROP_SCALE, &IMGLDoubleValue::GetDouble), 1.5);
    // A value answers only its own kind's interface.
    EXPECT_FALSE(Read(pSettings.p, MGL_PROP_ANGLE, &IMGLDoubleValue::GetDouble));
    EXPECT_FALSE(Read(pSettings.p, MGL_PROP_CENTER_X, &IMGLIntegerValue::GetInteger));
    // A missing property is no error, only nothing.
    EXPECT_FALSE(Read(pSettings.p, MGL_PROP_REPEATS, &IMGLIntegerValue::GetInteger));

    // Setting a number again replaces it; removing it leaves nothing.
    m_values.CreateInteger(error, 90, &pValue);
    Write(pSettings, MGL_PROP_ANGLE, pValue);
    EXPECT_EQ(Read(pSettings.p, MGL_PROP_ANGLE, &IMGLIntegerValue::GetInteger), 90);
    pSettings->RemoveProperty(error, MGL_PROP_ANGLE);
    EXPECT_FALSE(Read(pSettings.p, MGL_PROP_ANGLE, &IMGLIntegerValue::GetInteger));
}

TEST_F(MGLModelTest, ImageValuesShareTheImageAndReleasingTheResourceDropsIt)
{
    CRowIterator image;
    ASSERT_TRUE(image.CreateRGB(4, 4));
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pPattern;
    m_objects.CreateObject(error, 9, &pPattern.p);
    IMGLValue* pValue = nullptr;
    m_values.CreateImage(error, image, &pValue);
    ASSERT_TRUE(error.IsOk());
    EXPECT_EQ(pValue->GetKind(), MGL_VALUE_IMAGE);
    Write(pPattern, MGL_PROP_IMAGE, pValue);

    CRowIterator out;
    const std::optional<bool> bGot = [&]() -> std::optional<bool>
    {
        CComPtr<IMGLProperty> pProperty;
        pPattern->GetProperty(error, MGL_PROP_IMAGE, &pProperty.p);
        CComPtr<IMGLValue> pHeld;
        pProperty->GetValue(error, &pHeld.p);
        CComPtr<IMGLImageValue> pImage;
        if (pHeld->QueryInterface(IID_OF(IMGLImageValue), reinterpret_cast<void**>(&pImage.p)) != S_OK)
            return std::nullopt;
        return pImage->GetImage(out);
    }();
    EXPECT_EQ(bGot, true);
    EXPECT_TRUE(out.SharesImageWith(image));

    pPattern->ReleaseResource(error, MGL_PROP_IMAGE, 2);
    CComPtr<IMGLProperty> pGone;
    pPattern->GetProperty(error, MGL_PROP_IMAGE, &pGone.p);
    EXPECT_EQ(pGone, nullptr);

    // An image value needs an image.
    m_values.CreateImage(error, CRowIterator(), &pValue);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(pValue, nullptr);
}

TEST_F(MGLModelTest, GradientAndArtKindsAnswerTheirInterfaces)
{
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pGradientObject;
    m_objects.CreateObject(error, MGL_OBJECT_GRADIENT, &pGradientObject.p);
    ASSERT_NE(pGradientObject, nullptr);
    CComPtr<IMGLGradient> pGradient;
    EXPECT_EQ(pGradientObject->QueryInterface(IID_OF(IMGLGradient), reinterpret_cast<void**>(&pGradient.p)),
              S_OK);
    CComPtr<IMGLObject> pArtObject;
    m_objects.CreateObject(error, MGL_OBJECT_ART, &pArtObject.p);
    CComPtr<IMGLArt> pArt;
    EXPECT_EQ(pArtObject->QueryInterface(IID_OF(IMGLArt), reinterpret_cast<void**>(&pArt.p)), S_OK);
    EXPECT_EQ(pArtObject->GetObjectKind(), MGL_OBJECT_ART);
    // A plain settings object is neither.
    CComPtr<IMGLObject> pPlain;
    m_objects.CreateObject(error, 12, &pPlain.p);
    CComPtr<IMGLArt> pNotArt;
    EXPECT_NE(pPlain->QueryInterface(IID_OF(IMGLArt), reinterpret_cast<void**>(&pNotArt.p)), S_OK);
    EXPECT_EQ(pNotArt, nullptr);
}

TEST_F(MGLModelTest, KindFortyThreeIsAMaterialWithStyleColourSettingsAndTexture)
{
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pObject;
    m_objects.CreateObject(error, MGL_OBJECT_MATERIAL, &pObject.p);
    CComPtr<IMGLMaterial> pMaterial;
    ASSERT_EQ(pObject->QueryInterface(IID_OF(IMGLMaterial), reinterpret_cast<void**>(&pMaterial.p)), S_OK);
    EXPECT_EQ(pMaterial->GetStyle(), 1);

    pMaterial->SetStyle(error, 4);
    EXPECT_TRUE(error.IsOk());
    pMaterial->SetStyle(error, 3);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(pMaterial->GetStyle(), 4);
    pMaterial->SetSolidColor(error, 0xFF123456);
    EXPECT_EQ(pMaterial->GetSolidColor(), 0x00123456u);

    CComPtr<IMGLObject> pSettings;
    m_objects.CreateObject(error, 12, &pSettings.p);
    pMaterial->SetSettings(error, pSettings);
    CComPtr<IMGLObject> pBack;
    pMaterial->GetSettings(error, &pBack.p);
    EXPECT_EQ(pBack, pSettings);
    CComPtr<IMGLObject> pNoTexture;
    pMaterial->GetTexture(error, &pNoTexture.p);
    EXPECT_EQ(pNoTexture, nullptr);
    EXPECT_TRUE(error.IsOk());

    // Other kinds are no materials.
    CComPtr<IMGLObject> pPlain;
    m_objects.CreateObject(error, 12, &pPlain.p);
    CComPtr<IMGLMaterial> pNot;
    EXPECT_EQ(pPlain->QueryInterface(IID_OF(IMGLMaterial), reinterpret_cast<void**>(&pNot.p)), E_NOINTERFACE);
}

TEST_F(MGLModelTest, ChildrenCachedNamesAndBadArgumentsLeakNothing)
{
    CErrorAutoThrow error;
    CMGLObject* pParent = new CMGLObject(3);
    CComPtr<IMGLObject> pChild;
    m_objects.CreateObject(error, 4, &pChild.p);
    pParent->AddChild(pChild);
    pParent->AddChild(nullptr);
    EXPECT_EQ(pParent->GetChildCount(), 1);
    CComPtr<IMGLObject> pFirst;
    pParent->GetChild(error, 0, &pFirst.p);
    EXPECT_EQ(pFirst, pChild);
    IMGLObject* pNone = reinterpret_cast<IMGLObject*>(1);
    pParent->GetChild(error, 1, &pNone);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    EXPECT_EQ(pNone, nullptr);

    CString strName = L"stale";
    CComPtr<IMGLCachedName> pCached;
    ASSERT_EQ(pParent->QueryInterface(IID_OF(IMGLCachedName), reinterpret_cast<void**>(&pCached.p)), S_OK);
    pCached->GetCachedName(error, strName);
    EXPECT_TRUE(strName.IsEmpty());
    pParent->SetCachedName(L"Wood");
    pCached->GetCachedName(error, strName);
    EXPECT_EQ(strName, CString(L"Wood"));
    pParent->Release();

    m_objects.CreateObject(error, 0, &pNone);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    m_values.CreateInteger(error, 1, nullptr);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    m_properties.CreateProperty(error, 3, nullptr, nullptr);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
}

TEST_F(MGLModelTest, GradientStopsAreChildrenOfTheObjectView)
{
    CErrorAutoThrow error;
    CComPtr<IMGLGradient> pGradient;
    pGradient.Attach(new CMGLGradient);
    pGradient->AddColorStop(error, 0, 50, MGL_STOP_FOREGROUND);
    EXPECT_TRUE(error.IsOk());
    pGradient->AddTransparencyStop(error, 10, 40, 75);
    pGradient->AddColorStop(error, 100, 30, RGB(0x12, 0x34, 0x56));
    pGradient->AddColorStop(error, 101, 50, RGB(0, 0, 0));
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    pGradient->AddColorStop(error, 50, 50, 0x01000000);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    pGradient->AddTransparencyStop(error, 50, 50, 101);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);

    EXPECT_EQ(pGradient->GetColorStopCount(), 2);
    EXPECT_EQ(pGradient->GetTransparencyStopCount(), 1);
    int nPosition = -1;
    int nMidpoint = -1;
    COLORREF clrColor = 0;
    pGradient->GetColorStop(error, 1, nPosition, nMidpoint, clrColor);
    EXPECT_TRUE(error.IsOk());
    EXPECT_EQ(nPosition, 100);
    EXPECT_EQ(nMidpoint, 30);
    EXPECT_EQ(clrColor, 0x00563412u);
    pGradient->GetColorStop(error, 0, nPosition, nMidpoint, clrColor);
    EXPECT_EQ(clrColor, 0xFFFFFFFFu);
    int nOpacity = -1;
    pGradient->GetTransparencyStop(error, 0, nPosition, nMidpoint, nOpacity);
    EXPECT_EQ(nPosition, 10);
    EXPECT_EQ(nMidpoint, 40);
    EXPECT_EQ(nOpacity, 75);
    pGradient->GetTransparencyStop(error, 1, nPosition, nMidpoint, nOpacity);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);

    // The object view: three children, in the order added; moving them to
    // another gradient moves the stops.
    CComPtr<IMGLObject> pView;
    ASSERT_EQ(pGradient->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pView.p)), S_OK);
    ASSERT_EQ(pView->GetChildCount(), 3);
    CComPtr<IMGLObject> pSecond;
    pView->GetChild(error, 1, &pSecond.p);
    EXPECT_EQ(pSecond->GetObjectKind(), MGL_OBJECT_TRANSPARENCY_STOP);

    CComPtr<IMGLGradient> pOther;
    pOther.Attach(new CMGLGradient);
    CComPtr<IMGLObject> pOtherView;
    pOther->QueryInterface(IID_OF(IMGLObject), reinterpret_cast<void**>(&pOtherView.p));
    pOtherView->AppendChild(error, pSecond, true);
    EXPECT_EQ(pOther->GetTransparencyStopCount(), 1);
    EXPECT_EQ(pOther->GetColorStopCount(), 0);
    pOtherView->AppendChild(error, nullptr, true);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
    pView->RemoveChildren(error);
    EXPECT_EQ(pGradient->GetColorStopCount(), 0);
    EXPECT_EQ(pOther->GetTransparencyStopCount(), 1);
}

TEST_F(MGLModelTest, ArtKeepsBothColoursTheThirdValueAndTheFlag)
{
    CErrorAutoThrow error;
    CComPtr<IMGLArt> pArt;
    pArt.Attach(new CMGLArt);
    const COLORREF* pPrimary = &kNoColor;
    const COLORREF* pSecondary = &kNoColor;
    int nThird = -1;
    bool bFlag = true;
    pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bFlag);
    EXPECT_EQ(pPrimary, nullptr);
    EXPECT_EQ(pSecondary, nullptr);
    EXPECT_EQ(nThird, 0);
    EXPECT_FALSE(bFlag);

    pArt->SetColor(error, 0xFF102030);
    pArt->SetSecondaryColor(error, 0x00405060, 7);
    pArt->SetSecondaryFirst(error, true);
    pArt->GetContent(error, &pPrimary, &pSecondary, nThird, bFlag);
    ASSERT_NE(pPrimary, nullptr);
    ASSERT_NE(pSecondary, nullptr);
    EXPECT_EQ(*pPrimary, 0xFF102030u);
    EXPECT_EQ(*pSecondary, 0x00405060u);
    EXPECT_EQ(nThird, 7);
    EXPECT_TRUE(bFlag);
    pArt->GetContent(error, nullptr, &pSecondary, nThird, bFlag);
    EXPECT_EQ(error.GetError(), MIRN_ERR_INVALID_ARG);
}

TEST_F(MGLModelTest, AccessorsReadOnlyAValueOfTheKindAsked)
{
    CErrorAutoThrow error;
    CComPtr<IMGLObject> pSettings;
    m_objects.CreateObject(error, MGL_OBJECT_PATTERN, &pSettings.p);
    CString strName = L"untouched";
    EXPECT_FALSE(MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName)) << "no such property";
    EXPECT_FALSE(MGLReadString(nullptr, MGL_PROP_RESOURCE_NAME, strName));
    EXPECT_EQ(strName, CString(L"untouched"));

    // A number where a string is asked for reads as none.
    CComPtr<IMGLValue> pNumber;
    m_values.CreateInteger(error, 7, &pNumber.p);
    CComPtr<IMGLProperty> pProperty;
    m_properties.CreateProperty(error, MGL_PROP_RESOURCE_NAME, pNumber, &pProperty.p);
    pSettings->SetProperty(error, pProperty);
    EXPECT_FALSE(MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName));
    CRowIterator image;
    EXPECT_FALSE(MGLReadImage(pSettings, MGL_PROP_RESOURCE_NAME, image));

    CComPtr<IMGLValue> pText;
    m_values.CreateString(error, L"Bricks", &pText.p);
    pProperty = nullptr;
    m_properties.CreateProperty(error, MGL_PROP_RESOURCE_NAME, pText, &pProperty.p);
    pSettings->SetProperty(error, pProperty);
    EXPECT_TRUE(MGLReadString(pSettings, MGL_PROP_RESOURCE_NAME, strName));
    EXPECT_EQ(strName, CString(L"Bricks"));

    // The cached name is the object's own, not its resource name.
    EXPECT_TRUE(MGLCachedNameOf(pSettings).IsEmpty());
    EXPECT_TRUE(MGLCachedNameOf(nullptr).IsEmpty());
}
