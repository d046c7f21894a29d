#include "model/FontProperties.h"

#include "model/PropertyHelpers.h"

namespace {
QString FaceName(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return (nul >= 0 ? text.left(nul) : text).left(LogFontFaceNameLength);
}

template <typename Visit> void ForEachField(TLogFontRecord& font, Visit visit) {
    visit("lfHeight", font.lfHeight);
    visit("lfWidth", font.lfWidth);
    visit("lfEscapement", font.lfEscapement);
    visit("lfOrientation", font.lfOrientation);
    visit("lfWeight", font.lfWeight);
    visit("lfItalic", font.lfItalic);
    visit("lfUnderline", font.lfUnderline);
    visit("lfStrikeOut", font.lfStrikeOut);
    visit("lfCharSet", font.lfCharSet);
    visit("lfOutPrecision", font.lfOutPrecision);
    visit("lfClipPrecision", font.lfClipPrecision);
    visit("lfQuality", font.lfQuality);
    visit("lfPitchAndFamily", font.lfPitchAndFamily);
}

const QString FaceNameKey = QStringLiteral("lfFaceName");
} // namespace

void WriteFontToProperties(const std::shared_ptr<IHXPropertyList_>& list, const TLogFontRecord& font) {
    TLogFontRecord copy = font;
    ForEachField(copy, [&](const char* name, auto& field) {
        list->Items(QString::fromLatin1(name))->SetAsInteger(static_cast<int>(field));
    });
    list->Items(FaceNameKey)->SetAsString(FaceName(font.lfFaceName));
}

void ReadFontFromProperties(const std::shared_ptr<IHXPropertyList_>& list, TLogFontRecord& font) {
    ForEachField(font, [&](const char* name, auto& field) {
        const auto property = list->Items(QString::fromLatin1(name));
        if constexpr (sizeof(field) == 1)
            field = static_cast<std::uint8_t>(GetByteDef(property, field));
        else
            field = GetIntegerDef(property, field);
    });
    font.lfFaceName = FaceName(GetStringDef(list->Items(FaceNameKey), font.lfFaceName));
}

void WriteFontToProperty(const std::shared_ptr<IHXProperty_>& property, const TLogFontRecord& font) {
    WriteFontToProperties(property->AsPropertyList(), font);
}

void ReadFontFromProperty(const std::shared_ptr<IHXProperty_>& property, TLogFontRecord& font) {
    if (property && property->DataType() == hxpdtPropertyList)
        ReadFontFromProperties(property->AsPropertyList(), font);
}
