#include "foundation/GUID.h"

#include "foundation/VRNException.h"

namespace {
bool IsRegistryForm(const QString& text) {
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}')
        return false;
    for (qsizetype i = 1; i < 37; ++i) {
        const QChar c = text[i];
        if (i == 9 || i == 14 || i == 19 || i == 24) {
            if (c != u'-')
                return false;
        } else if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))) {
            return false;
        }
    }
    return true;
}
} // namespace

TGUID TGUID::FromString(const QString& text) {
    if (!IsRegistryForm(text))
        throw EVRNConvertError(QStringLiteral("invalid guid format: \"") + text + QStringLiteral("\""));
    return TGUID(QUuid::fromString(text));
}

TGUID TGUID::Constant(const char* text) {
    return FromString(QString::fromLatin1(text));
}

QString TGUID::ToString() const {
    return m_uuid.toString(QUuid::WithBraces).toUpper();
}

QString GUIDToWideString(const TGUID& guid) {
    return guid.ToString();
}

TGUID WideStringToGUID(const QString& text) {
    return TGUID::FromString(text);
}
