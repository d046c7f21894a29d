/*
 * The Horalux SDK runtime: the value types of the add-in interfaces and the small C library
 * (libhoraluxsdk.so.1) that allocates their strings, carries the error description of the last
 * failed call of a thread and clears variants. Usable from C and C++; no other header needed.
 *
 * Strings (HXBSTR) are UTF-16, allocated by HXSysAllocString*: the length in bytes stands in the
 * four bytes before the first character, a NUL follows the last. A null HXBSTR is the empty string.
 * Whoever receives a string through an out parameter frees it with HXSysFreeString.
 */
#ifndef HORALUX_RUNTIME_H
#define HORALUX_RUNTIME_H

#include <stdint.h>
#ifndef __cplusplus
#include <uchar.h>
#endif

#if defined(HORALUX_RUNTIME_BUILD)
#define HX_RUNTIME_API __attribute__((visibility("default")))
#else
#define HX_RUNTIME_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Results: zero and above succeed, negative values fail. */
typedef int32_t HXRESULT;
/* Booleans: true is -1 (all bits set), false is 0. */
typedef int16_t HXBOOL;
/* Dates and times: days since 1899-12-30, the fraction is the time of day. */
typedef double HXDATE;
typedef char16_t* HXBSTR;

#define HX_TRUE ((HXBOOL)-1)
#define HX_FALSE ((HXBOOL)0)

#define HX_S_OK ((HXRESULT)0)
#define HX_S_FALSE ((HXRESULT)1)
#define HX_E_NOTIMPL ((HXRESULT)0x80004001)
#define HX_E_NOINTERFACE ((HXRESULT)0x80004002)
#define HX_E_POINTER ((HXRESULT)0x80004003)
#define HX_E_FAIL ((HXRESULT)0x80004005)
#define HX_E_UNEXPECTED ((HXRESULT)0x8000FFFF)
#define HX_E_OUTOFMEMORY ((HXRESULT)0x8007000E)
#define HX_E_INVALIDARG ((HXRESULT)0x80070057)
#define HX_DISP_E_MEMBERNOTFOUND ((HXRESULT)0x80020003)
#define HX_DISP_E_UNKNOWNNAME ((HXRESULT)0x80020006)
#define HX_DISP_E_TYPEMISMATCH ((HXRESULT)0x80020005)
#define HX_DISP_E_BADPARAMCOUNT ((HXRESULT)0x8002000E)
/* HXCreateInstance: the class cannot be created (unknown, internal, or not now). */
#define HX_CLASS_E_CLASSNOTAVAILABLE ((HXRESULT)0x80040111)
/* HXCreateInstance: no program has made its classes available in this process. */
#define HX_REGDB_E_CLASSNOTREG ((HXRESULT)0x80040154)
#define HX_SUCCEEDED(hr) ((HXRESULT)(hr) >= 0)
#define HX_FAILED(hr) ((HXRESULT)(hr) < 0)

/* A GUID in the usual 16-byte layout. */
typedef struct HXGUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} HXGUID;

/* Variant types, as automation numbers them. */
enum HXVarType {
    HX_VT_EMPTY = 0,
    HX_VT_I4 = 3,
    HX_VT_R8 = 5,
    HX_VT_DATE = 7,
    HX_VT_BSTR = 8,
    HX_VT_DISPATCH = 9,
    HX_VT_BOOL = 11,
    HX_VT_UNKNOWN = 13,
    HX_VT_BYREF = 0x4000
};

/* A variant: the arguments and the result of a late-bound call. punkVal points at an object
   implementing IHXUnknown; HXVariantClear releases it through its third slot. */
typedef struct HXVARIANT {
    uint16_t vt;
    uint16_t reserved[3];
    union {
        int32_t lVal;
        HXBOOL boolVal;
        double dblVal;
        HXDATE date;
        HXBSTR bstrVal;
        void* punkVal;
        void* byref;
    } value;
} HXVARIANT;

/* The flags of a late-bound call. */
#define HX_DISPATCH_METHOD ((uint16_t)1)
#define HX_DISPATCH_PROPERTYGET ((uint16_t)2)
#define HX_DISPATCH_PROPERTYPUT ((uint16_t)4)

/* What an add-in library tells the loader about itself (its exported HoraluxModuleInfo). */
typedef struct HXModuleInfo {
    uint32_t size;    /* sizeof(HXModuleInfo) */
    HXGUID libraryId; /* the SDK library the add-in was built against */
    uint16_t majorVersion;
    uint16_t minorVersion;
} HXModuleInfo;

/* The SDK library: {A432CC88-3901-468E-8A5F-929156D5B9A5}, version 1.0. */
#define HX_SDK_MAJOR_VERSION 1
#define HX_SDK_MINOR_VERSION 0

/* The two functions an add-in library exports. */
typedef const HXModuleInfo* (*HXModuleInfoFunction)(void);
typedef HXRESULT (*HXCreateObjectFunction)(const HXGUID* clsid, const HXGUID* iid, void** object);
#define HX_MODULE_INFO_SYMBOL "HoraluxModuleInfo"
#define HX_CREATE_OBJECT_SYMBOL "HoraluxCreateObject"

/* The classes a library makes, for its registration ("horaluxctl addins register"): an optional
   export HoraluxAddInClasses returning a list that ends with a null className. The class name is
   the name under which the add-in is listed. */
typedef struct HXAddInClass {
    const char* className;
    HXGUID clsid;
} HXAddInClass;
typedef const HXAddInClass* (*HXAddInClassesFunction)(void);
#define HX_ADDIN_CLASSES_SYMBOL "HoraluxAddInClasses"

/* Marks the exports of an add-in library built with -fvisibility=hidden. */
#define HX_EXPORT __attribute__((visibility("default")))

/* Strings. A null text gives the empty string (null). Null is returned when memory runs out. */
HX_RUNTIME_API HXBSTR HXSysAllocString(const char16_t* text);
HX_RUNTIME_API HXBSTR HXSysAllocStringLen(const char16_t* text, uint32_t length);
/* From UTF-8 (length in bytes); null for invalid UTF-8 or when memory runs out. */
HX_RUNTIME_API HXBSTR HXSysAllocStringUtf8(const char* text, uint32_t length);
HX_RUNTIME_API void HXSysFreeString(HXBSTR text);
/* The length in characters (null: 0). */
HX_RUNTIME_API uint32_t HXSysStringLen(HXBSTR text);

/* The error description of the current thread: set by a failing call before it returns, taken by
   its caller. HXGetErrorInfo hands over source and description (the caller frees them) and
   clears the info; HX_S_FALSE and two null strings when there is none. */
HX_RUNTIME_API HXRESULT HXSetErrorInfo(const char16_t* source, const char16_t* description);
HX_RUNTIME_API void HXClearErrorInfo(void);
HX_RUNTIME_API HXRESULT HXGetErrorInfo(HXBSTR* source, HXBSTR* description);

/* Creates an object of one of the SDK's creatable classes (HoraluxSDK::CLSID) inside the running
   program and answers its interface interfaceId (a new reference; *object is null on failure).
   Null arguments: HX_E_POINTER. An unknown or internal class, or one the program does not make
   (add-ins implement AddIn and ActionExecute themselves): HX_CLASS_E_CLASSNOTAVAILABLE. A class
   that does not answer interfaceId: HX_E_NOINTERFACE. Outside the program (no creator installed):
   HX_REGDB_E_CLASSNOTREG. Every failure leaves a description for HXGetErrorInfo. */
HX_RUNTIME_API HXRESULT HXCreateInstance(const HXGUID* classId, const HXGUID* interfaceId, void** object);

/* For the host program only: the function HXCreateInstance hands its (checked, non-null)
   arguments to, with *object already null. Null removes it. Returns the one installed before. */
typedef HXRESULT (*HXInstanceCreator)(const HXGUID* classId, const HXGUID* interfaceId, void** object);
HX_RUNTIME_API HXInstanceCreator HXSetInstanceCreator(HXInstanceCreator creator);

HX_RUNTIME_API void HXVariantInit(HXVARIANT* variant);
/* Frees a string, releases an object, and leaves the variant empty. */
HX_RUNTIME_API HXRESULT HXVariantClear(HXVARIANT* variant);

#ifdef __cplusplus
}
#endif

#endif
