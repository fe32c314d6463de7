// The host's material objects as the palette sees them: settings objects with
// numbered properties, typed property values, materials, gradients and art,
// and the factories that make them.
//
// Every call takes the host's error carrier as its first argument; the host
// writes a MirnErrorCode into it and the caller examines it and drops it.
// Objects are reference counted: an out-pointer comes with one reference that
// the caller releases.
#pragma once

#include "CString.h"
#include "ComBase.h"
#include "ErrorAutoThrow.h"
#include "WinDef.h"

// Row-addressable images of the host's graphics module; only passed by
// reference here.
class CRowIterator;
class CRowIteratorBands;

// The numbers of the settings properties the palette reads and writes.
enum EMGLPropertyId : int
{
    MGL_PROP_CENTER_X = 3,
    MGL_PROP_CENTER_Y = 4,
    MGL_PROP_FOCAL_X = 23,
    MGL_PROP_FOCAL_Y = 24,
    MGL_PROP_RESOURCE_NAME = 29,
    MGL_PROP_ANGLE = 116,
    MGL_PROP_INVERT = 137,
    MGL_PROP_REPEATS = 138,
    MGL_PROP_GRADIENT_TYPE = 140,
    MGL_PROP_IMAGE = 150,
    MGL_PROP_SCALE = 167,
};

// The kinds of property values; an image value is kind 13.
enum EMGLValueKind : int
{
    MGL_VALUE_NONE = 0,
    MGL_VALUE_INTEGER = 1,
    MGL_VALUE_DOUBLE = 2,
    MGL_VALUE_BOOL = 3,
    MGL_VALUE_STRING = 4,
    MGL_VALUE_LENGTH = 5,
    MGL_VALUE_IMAGE = 13,
};

// The object kind that the object factory makes into a material.
constexpr int MGL_OBJECT_MATERIAL = 43;

// A property value. Its typed content is reached by querying one of the
// interfaces below.
struct IMGLValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A11}");
    // The kind of value held.
    virtual EMGLValueKind GetKind() const = 0;
};

struct IMGLIntegerValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A12}");
    virtual int GetInteger() const = 0;
};

struct IMGLDoubleValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A13}");
    virtual double GetDouble() const = 0;
};

struct IMGLBoolValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A14}");
    virtual bool GetBool() const = 0;
};

struct IMGLStringValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A15}");
    virtual CString GetString() const = 0;
};

// A length as a fraction (a percentage divided by 100).
struct IMGLLengthValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A16}");
    virtual double GetLength() const = 0;
};

// An image value; the image is shared into the caller's iterator.
struct IMGLImageValue : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A17}");
    virtual bool GetImage(CRowIterator& image) const = 0;
};

// One numbered property with its value.
struct IMGLProperty : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A20}");
    virtual int GetId() const = 0;
    // The value, with a reference added; null when the property has none.
    virtual void GetValue(CErrorAutoThrow& error, IMGLValue** ppValue) = 0;
};

// A settings object (gradient, pattern or texture settings) or any other
// object of the host's model, holding properties by number and, for
// container objects, a list of children.
struct IMGLObject : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A30}");
    // The object kind (MGL_OBJECT_MATERIAL for a material).
    virtual int GetObjectKind() const = 0;
    // The property of that number, with a reference added; null (and no
    // error) when the object has none.
    virtual void GetProperty(CErrorAutoThrow& error, int nPropertyId, IMGLProperty** ppProperty) = 0;
    // Replaces (or adds) the property of the same number.
    virtual void SetProperty(CErrorAutoThrow& error, IMGLProperty* pProperty) = 0;
    virtual void RemoveProperty(CErrorAutoThrow& error, int nPropertyId) = 0;
    // Child objects of a container object, in order.
    virtual int GetChildCount() const = 0;
    virtual void GetChild(CErrorAutoThrow& error, int nIndex, IMGLObject** ppChild) = 0;
    // Removes every child.
    virtual void RemoveChildren(CErrorAutoThrow& error) = 0;
    // Appends a child. With bAddReference the object takes a reference of
    // its own (the caller keeps its one); without it the object adopts the
    // caller's reference. Null is an error 101.
    virtual void AppendChild(CErrorAutoThrow& error, IMGLObject* pChild, bool bAddReference) = 0;
    // A host operation on the object's resources with two values (the
    // recently used strip calls it with 150 and 2 after drawing).
    virtual void ReleaseResource(CErrorAutoThrow& error, int nPropertyId, int nFlags) = 0;
};

// The object kinds of a gradient's stops, which are the gradient's children.
constexpr int MGL_OBJECT_COLOR_STOP = 44;
constexpr int MGL_OBJECT_TRANSPARENCY_STOP = 45;
// A gradient with its stops (it answers IMGLGradient) and the art of an
// art-media material (it answers IMGLArt).
constexpr int MGL_OBJECT_GRADIENT = 46;
constexpr int MGL_OBJECT_ART = 47;
// Pattern and texture settings objects.
constexpr int MGL_OBJECT_PATTERN = 48;
constexpr int MGL_OBJECT_TEXTURE = 49;

// One stop of a gradient: a colour stop (kind MGL_OBJECT_COLOR_STOP, value a
// colour) or a transparency stop (MGL_OBJECT_TRANSPARENCY_STOP, value an
// opacity 0 to 100).
struct IMGLGradientStop : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A41}");
    // Location 0 to 100 along the gradient.
    virtual int GetLocation() const = 0;
    // Where between this stop and the next the mix is half way, 0 to 100.
    virtual int GetMidpoint() const = 0;
    virtual DWORD GetValue() const = 0;
};

// A gradient's stops as a host object (non-cached gradients travel so). Its
// IMGLObject view has the stops as children, in the order they were added.
struct IMGLGradient : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A40}");
    virtual int GetColorStopCount() const = 0;
    // Location 0 to 100, midpoint and colour (0xFFFFFFFF the foreground
    // colour, 0xFFFFFFFE the background colour) of a colour stop; error 101
    // for an index out of range.
    virtual void GetColorStop(CErrorAutoThrow& error, int nIndex, int& nPosition, int& nMidpoint,
                              COLORREF& clrColor) const = 0;
    virtual int GetTransparencyStopCount() const = 0;
    // Location 0 to 100, midpoint and opacity 0 to 100 of a transparency
    // stop; error 101 for an index out of range.
    virtual void GetTransparencyStop(CErrorAutoThrow& error, int nIndex, int& nPosition, int& nMidpoint,
                                     int& nOpacity) const = 0;
    // Appends a stop; values out of range are an error 101.
    virtual void AddColorStop(CErrorAutoThrow& error, int nPosition, int nMidpoint, COLORREF clrColor) = 0;
    virtual void AddTransparencyStop(CErrorAutoThrow& error, int nPosition, int nMidpoint, int nOpacity) = 0;
};

// The colours a colour stop may hold instead of a colour of its own.
constexpr COLORREF MGL_STOP_FOREGROUND = 0xFFFFFFFF;
constexpr COLORREF MGL_STOP_BACKGROUND = 0xFFFFFFFE;

// The art-media description of a material: a primary and a secondary
// colour (either may be missing), a third value that goes with the secondary
// colour, and a flag that says the secondary colour is set first. The host's
// art objects are also settings objects (IMGLObject) of kind MGL_OBJECT_ART,
// so a material holds its art as its settings.
struct IMGLArt : IUnknown
{
    DECLARE_INTERFACE_IID(L"{4E1C3060-30E7-4152-A763-D0339D719838}");
    // The content: each colour pointer is null when the art has no such
    // colour and stays valid while the art object lives and is not changed.
    virtual void GetContent(CErrorAutoThrow& error, const COLORREF** ppPrimary, const COLORREF** ppSecondary,
                            int& nThirdValue, bool& bSecondaryFirst) const = 0;
    // Sets the primary colour.
    virtual void SetColor(CErrorAutoThrow& error, COLORREF clrColor) = 0;
    // Sets the secondary colour together with the third value.
    virtual void SetSecondaryColor(CErrorAutoThrow& error, COLORREF clrColor, int nThirdValue) = 0;
    // Sets the flag.
    virtual void SetSecondaryFirst(CErrorAutoThrow& error, bool bSecondaryFirst) = 0;
};

// The name under which a material's data is in the host's resource cache.
// An empty name means the data is not cached and travels beside it.
struct IMGLCachedName : IUnknown
{
    DECLARE_INTERFACE_IID(L"{1C66826F-3370-4AF8-A4C8-1896E1EFF326}");
    virtual void GetCachedName(CErrorAutoThrow& error, CString& strName) const = 0;
};

// A material: a style with its data and an optional texture.
struct IMGLMaterial : IUnknown
{
    DECLARE_INTERFACE_IID(L"{6A0D3B1E-5C2F-4E8A-9B71-0C4D2E6F8A60}");
    // The material's style, an EMaterialStyle value (1 solid, 2 pattern,
    // 4 gradient, 8 art media, 64 texture shown as a style).
    virtual int GetStyle() const = 0;
    virtual void SetStyle(CErrorAutoThrow& error, int nStyle) = 0;
    virtual COLORREF GetSolidColor() const = 0;
    virtual void SetSolidColor(CErrorAutoThrow& error, COLORREF clrColor) = 0;
    // The settings object of a gradient, pattern or art style, or null.
    virtual void GetSettings(CErrorAutoThrow& error, IMGLObject** ppSettings) = 0;
    virtual void SetSettings(CErrorAutoThrow& error, IMGLObject* pSettings) = 0;
    // The texture's settings object, or null without a texture.
    virtual void GetTexture(CErrorAutoThrow& error, IMGLObject** ppTexture) = 0;
    virtual void SetTexture(CErrorAutoThrow& error, IMGLObject* pTexture) = 0;
};

// Makes host objects by kind.
class VMGLObjectFactory
{
public:
    virtual ~VMGLObjectFactory() = default;
    // A new object of the kind with one reference; MGL_OBJECT_MATERIAL makes
    // an object that answers IMGLMaterial.
    virtual void CreateObject(CErrorAutoThrow& error, int nKind, IMGLObject** ppObject) = 0;
};

// Makes property values.
class VMGLValueFactory
{
public:
    virtual ~VMGLValueFactory() = default;
    virtual void CreateInteger(CErrorAutoThrow& error, int nValue, IMGLValue** ppValue) = 0;
    virtual void CreateDouble(CErrorAutoThrow& error, double dValue, IMGLValue** ppValue) = 0;
    virtual void CreateBool(CErrorAutoThrow& error, bool bValue, IMGLValue** ppValue) = 0;
    virtual void CreateString(CErrorAutoThrow& error, LPCWSTR pszValue, IMGLValue** ppValue) = 0;
    virtual void CreateLength(CErrorAutoThrow& error, double dFraction, IMGLValue** ppValue) = 0;
    // An image value (kind 13) sharing the given image.
    virtual void CreateImage(CErrorAutoThrow& error, const CRowIterator& image, IMGLValue** ppValue) = 0;
};

// Makes numbered properties holding a value.
class VMGLPropertyFactory
{
public:
    virtual ~VMGLPropertyFactory() = default;
    virtual void CreateProperty(CErrorAutoThrow& error, int nPropertyId, IMGLValue* pValue,
                                IMGLProperty** ppProperty) = 0;
};
