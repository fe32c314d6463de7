// The host's material model: typed property values, numbered properties,
// settings objects with children, materials, and the factories that make
// them. Every object is reference counted and starts with one reference,
// which the maker hands on. LiveMGLObjectCount lets tests see that every
// reference taken was given back.
#pragma once

#include "MGLObjects.h"
#include "RowIterator.h"

#include <map>
#include <optional>
#include <vector>

// How many model objects (values, properties, objects, materials) exist.
int LiveMGLObjectCount();

// Counts one live model object for as long as it exists.
class CMGLLiveCounter
{
public:
    CMGLLiveCounter();
    CMGLLiveCounter(const CMGLLiveCounter&);
    ~CMGLLiveCounter();
    CMGLLiveCounter& operator=(const CMGLLiveCounter&) = default;
};

// A value of one kind; it answers only the typed interface of its kind.
class CMGLValue : public TUnknownImpl<IMGLValue, IMGLIntegerValue, IMGLDoubleValue, IMGLBoolValue,
                                      IMGLStringValue, IMGLLengthValue, IMGLImageValue>
{
public:
    static CMGLValue* MakeInteger(int nValue);
    static CMGLValue* MakeDouble(double dValue);
    static CMGLValue* MakeBool(bool bValue);
    static CMGLValue* MakeString(LPCWSTR pszValue);
    static CMGLValue* MakeLength(double dFraction);
    static CMGLValue* MakeImage(const CRowIterator& image);

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    EMGLValueKind GetKind() const override { return m_eKind; }
    int GetInteger() const override { return m_nInteger; }
    double GetDouble() const override { return m_dNumber; }
    bool GetBool() const override { return m_nInteger != 0; }
    CString GetString() const override { return m_strText; }
    double GetLength() const override { return m_dNumber; }
    bool GetImage(CRowIterator& image) const override;

private:
    explicit CMGLValue(EMGLValueKind eKind) : m_eKind(eKind) {}
    ~CMGLValue() override = default;

    CMGLLiveCounter m_live;
    EMGLValueKind m_eKind;
    int m_nInteger = 0;
    double m_dNumber = 0.0;
    CString m_strText;
    CRowIteratorBands m_image;
};

class CMGLProperty : public TUnknownImpl<IMGLProperty>
{
public:
    // Holds a reference on the value (which may be null).
    CMGLProperty(int nId, IMGLValue* pValue);

    int GetId() const override { return m_nId; }
    void GetValue(CErrorAutoThrow& error, IMGLValue** ppValue) override;

private:
    ~CMGLProperty() override = default;

    CMGLLiveCounter m_live;
    int m_nId;
    CComPtr<IMGLValue> m_pValue;
};

// What every model object has: a kind, properties by number, children, and
// the name under which it is cached (empty when it is not).
template <typename... Extra> class TMGLObjectImpl : public TUnknownImpl<IMGLObject, IMGLCachedName, Extra...>
{
public:
    explicit TMGLObjectImpl(int nKind) : m_nKind(nKind) {}

    int GetObjectKind() const override { return m_nKind; }
    void GetProperty(CErrorAutoThrow& error, int nPropertyId, IMGLProperty** ppProperty) override
    {
        if (ppProperty == nullptr)
        {
            error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
            return;
        }
        auto it = m_properties.find(nPropertyId);
        *ppProperty = it != m_properties.end() ? CComPtr<IMGLProperty>(it->second).Detach() : nullptr;
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    void SetProperty(CErrorAutoThrow& error, IMGLProperty* pProperty) override
    {
        if (pProperty == nullptr)
        {
            error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
            return;
        }
        m_properties[pProperty->GetId()] = pProperty;
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    void RemoveProperty(CErrorAutoThrow& error, int nPropertyId) override
    {
        m_properties.erase(nPropertyId);
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    int GetChildCount() const override { return static_cast<int>(m_children.size()); }
    void GetChild(CErrorAutoThrow& error, int nIndex, IMGLObject** ppChild) override
    {
        if (ppChild == nullptr || nIndex < 0 || nIndex >= GetChildCount())
        {
            if (ppChild != nullptr)
                *ppChild = nullptr;
            error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
            return;
        }
        *ppChild = CComPtr<IMGLObject>(m_children[static_cast<size_t>(nIndex)]).Detach();
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    void RemoveChildren(CErrorAutoThrow& error) override
    {
        m_children.clear();
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    void AppendChild(CErrorAutoThrow& error, IMGLObject* pChild, bool bAddReference) override
    {
        if (pChild == nullptr)
        {
            error = CErrorAutoThrow(MIRN_ERR_INVALID_ARG);
            return;
        }
        CComPtr<IMGLObject> pHeld;
        if (bAddReference)
            pHeld = pChild;
        else
            pHeld.Attach(pChild);
        m_children.push_back(pHeld);
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    void ReleaseResource(CErrorAutoThrow& error, int nPropertyId, int) override
    {
        // The only resource an object holds itself is an image property:
        // letting go of it drops the image until it is set again.
        if (nPropertyId == MGL_PROP_IMAGE)
            m_properties.erase(nPropertyId);
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }
    void GetCachedName(CErrorAutoThrow& error, CString& strName) const override
    {
        strName = m_strCachedName;
        error = CErrorAutoThrow(MIRN_ERR_NONE);
    }

    // For the host: the name the object is cached under, and its children.
    void SetCachedName(const CString& strName) { m_strCachedName = strName; }
    void AddChild(IMGLObject* pChild)
    {
        if (pChild != nullptr)
            m_children.emplace_back(pChild);
    }
    void RemoveAllChildren() { m_children.clear(); }

protected:
    ~TMGLObjectImpl() override = default;

private:
    CMGLLiveCounter m_live;
    int m_nKind;
    std::map<int, CComPtr<IMGLProperty>> m_properties;
    std::vector<CComPtr<IMGLObject>> m_children;
    CString m_strCachedName;
};

// A plain settings object (gradient, pattern or texture settings).
class CMGLObject : public TMGLObjectImpl<>
{
public:
    explicit CMGLObject(int nKind) : TMGLObjectImpl<>(nKind) {}

private:
    ~CMGLObject() override = default;
};

// A material: its style, solid colour, the settings of its style and the
// settings of its texture.
class CMGLMaterial : public TMGLObjectImpl<IMGLMaterial>
{
public:
    CMGLMaterial() : TMGLObjectImpl<IMGLMaterial>(MGL_OBJECT_MATERIAL) {}

    int GetStyle() const override { return m_nStyle; }
    void SetStyle(CErrorAutoThrow& error, int nStyle) override;
    COLORREF GetSolidColor() const override { return m_clrSolid; }
    void SetSolidColor(CErrorAutoThrow& error, COLORREF clrColor) override;
    void GetSettings(CErrorAutoThrow& error, IMGLObject** ppSettings) override;
    void SetSettings(CErrorAutoThrow& error, IMGLObject* pSettings) override;
    void GetTexture(CErrorAutoThrow& error, IMGLObject** ppTexture) override;
    void SetTexture(CErrorAutoThrow& error, IMGLObject* pTexture) override;

    // A new material with the same style, colour and (shared) settings.
    CMGLMaterial* Clone() const;

private:
    ~CMGLMaterial() override = default;

    int m_nStyle = 1;
    COLORREF m_clrSolid = RGB(0, 0, 0);
    CComPtr<IMGLObject> m_pSettings;
    CComPtr<IMGLObject> m_pTexture;
};

// One stop of a gradient, a child of the gradient's object view.
class CMGLGradientStop : public TMGLObjectImpl<IMGLGradientStop>
{
public:
    CMGLGradientStop(int nKind, int nLocation, int nMidpoint, DWORD dwValue)
        : TMGLObjectImpl<IMGLGradientStop>(nKind), m_nLocation(nLocation), m_nMidpoint(nMidpoint),
          m_dwValue(dwValue)
    {
    }
    int GetLocation() const override { return m_nLocation; }
    int GetMidpoint() const override { return m_nMidpoint; }
    DWORD GetValue() const override { return m_dwValue; }

private:
    ~CMGLGradientStop() override = default;

    int m_nLocation;
    int m_nMidpoint;
    DWORD m_dwValue;
};

// A gradient: its colour and transparency stops are its children.
class CMGLGradient : public TMGLObjectImpl<IMGLGradient>
{
public:
    CMGLGradient() : TMGLObjectImpl<IMGLGradient>(MGL_OBJECT_GRADIENT) {}

    int GetColorStopCount() const override { return CountStops(MGL_OBJECT_COLOR_STOP); }
    void GetColorStop(CErrorAutoThrow& error, int nIndex, int& nPosition, int& nMidpoint,
                      COLORREF& clrColor) const override;
    int GetTransparencyStopCount() const override { return CountStops(MGL_OBJECT_TRANSPARENCY_STOP); }
    void GetTransparencyStop(CErrorAutoThrow& error, int nIndex, int& nPosition, int& nMidpoint,
                             int& nOpacity) const override;
    void AddColorStop(CErrorAutoThrow& error, int nPosition, int nMidpoint, COLORREF clrColor) override;
    void AddTransparencyStop(CErrorAutoThrow& error, int nPosition, int nMidpoint, int nOpacity) override;

private:
    ~CMGLGradient() override = default;
    int CountStops(int nKind) const;
    // The nIndex-th child of the kind that is a stop, with a reference.
    CComPtr<IMGLGradientStop> FindStop(int nKind, int nIndex) const;
};

// The art of an art-media material; a settings object of its own kind.
class CMGLArt : public TMGLObjectImpl<IMGLArt>
{
public:
    CMGLArt() : TMGLObjectImpl<IMGLArt>(MGL_OBJECT_ART) {}

    void GetContent(CErrorAutoThrow& error, const COLORREF** ppPrimary, const COLORREF** ppSecondary,
                    int& nThirdValue, bool& bSecondaryFirst) const override;
    void SetColor(CErrorAutoThrow& error, COLORREF clrColor) override;
    void SetSecondaryColor(CErrorAutoThrow& error, COLORREF clrColor, int nThirdValue) override;
    void SetSecondaryFirst(CErrorAutoThrow& error, bool bSecondaryFirst) override;

private:
    ~CMGLArt() override = default;

    std::optional<COLORREF> m_clrPrimary;
    std::optional<COLORREF> m_clrSecondary;
    int m_nThirdValue = 0;
    bool m_bSecondaryFirst = false;
};

class CMGLObjectFactory : public VMGLObjectFactory
{
public:
    // MGL_OBJECT_MATERIAL makes a CMGLMaterial, MGL_OBJECT_GRADIENT a
    // CMGLGradient, MGL_OBJECT_ART a CMGLArt, any other positive kind a
    // CMGLObject of that kind; other kinds are an error 101.
    void CreateObject(CErrorAutoThrow& error, int nKind, IMGLObject** ppObject) override;
};

class CMGLValueFactory : public VMGLValueFactory
{
public:
    void CreateInteger(CErrorAutoThrow& error, int nValue, IMGLValue** ppValue) override;
    void CreateDouble(CErrorAutoThrow& error, double dValue, IMGLValue** ppValue) override;
    void CreateBool(CErrorAutoThrow& error, bool bValue, IMGLValue** ppValue) override;
    void CreateString(CErrorAutoThrow& error, LPCWSTR pszValue, IMGLValue** ppValue) override;
    void CreateLength(CErrorAutoThrow& error, double dFraction, IMGLValue** ppValue) override;
    void CreateImage(CErrorAutoThrow& error, const CRowIterator& image, IMGLValue** ppValue) override;
};

class CMGLPropertyFactory : public VMGLPropertyFactory
{
public:
    void CreateProperty(CErrorAutoThrow& error, int nPropertyId, IMGLValue* pValue,
                        IMGLProperty** ppProperty) override;
};
