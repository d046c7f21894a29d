#include "model/DisplayInfo.h"

#include "foundation/Registry.h"
#include "foundation/VRNTools.h"

namespace {
const QString FontNameValue = QStringLiteral("font name");
// Value names compare without regard to case, so this is the same value as "font name".
const QString FontNameDeleteValue = QStringLiteral("font Name");
const QString FontSizeValue = QStringLiteral("font size");
} // namespace

TDisplayInfo::TDisplayInfo() : m_fontName(DialogFontName()) {}

void TDisplayInfo::LoadFromRegistry(const QString& keyPath) {
    m_fontName = RegReadStringDef(keyPath, FontNameValue, m_fontName);
    m_fontSize = RegReadIntegerDef(keyPath, FontSizeValue, m_fontSize);
}

void TDisplayInfo::SaveToRegistry(const QString& keyPath) const {
    if (m_fontName == DialogFontName())
        RegDeleteValue(keyPath, FontNameDeleteValue);
    else
        RegWriteString(keyPath, FontNameValue, m_fontName);
    if (m_fontSize == DefaultFontSize)
        RegDeleteValue(keyPath, FontSizeValue);
    else
        RegWriteInteger(keyPath, FontSizeValue, m_fontSize);
}

void TDisplayInfo::Assign(const TDisplayInfo& other) {
    m_fontName = other.m_fontName;
    m_fontSize = other.m_fontSize;
}
