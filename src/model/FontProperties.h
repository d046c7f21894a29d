#pragma once

// A font stored as a property list holding the fields of a Windows LOGFONTW record under their
// field names, so that font settings keep the form existing option files have.

#include "model/PropertyInterfaces.h"

#include <cstdint>

/// The fields of a LOGFONTW record. The face name holds at most 31 characters.
struct TLogFontRecord {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    QString lfFaceName;

    friend bool operator==(const TLogFontRecord&, const TLogFontRecord&) = default;
};

constexpr int LogFontFaceNameLength = 31;

/// Writes all fourteen fields (integers, the face name as text cut at the first NUL and to 31
/// characters).
void WriteFontToProperties(const std::shared_ptr<IHXPropertyList_>& list, const TLogFontRecord& font);
/// Overwrites each field of font whose property exists with the right type: the first five as
/// integers, the eight byte fields limited to 0..255, the face name cut to 31 characters. Every
/// name is taken with Items, so missing names are added as properties of type 0 (never written).
void ReadFontFromProperties(const std::shared_ptr<IHXPropertyList_>& list, TLogFontRecord& font);
/// The same through a property: writing turns it into a property list, reading uses only a
/// property of type property list (otherwise font stays as it is).
void WriteFontToProperty(const std::shared_ptr<IHXProperty_>& property, const TLogFontRecord& font);
void ReadFontFromProperty(const std::shared_ptr<IHXProperty_>& property, TLogFontRecord& font);
