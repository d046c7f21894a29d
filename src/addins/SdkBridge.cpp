#include "addins/SdkBridge.h"

#include <QUuid>
#include <cstring>

HXBSTR ToHXString(const QString& text) {
    if (text.isEmpty())
        return nullptr;
    HXBSTR result =
        HXSysAllocStringLen(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<uint32_t>(text.size()));
    if (!result)
        throw std::bad_alloc();
    return result;
}

QString FromHXString(HXBSTR text) {
    if (!text)
        return QString();
    return QString::fromUtf16(text, static_cast<qsizetype>(HXSysStringLen(text)));
}

QString TakeHXString(HXBSTR& text) {
    const QString result = FromHXString(text);
    HXSysFreeString(text);
    text = nullptr;
    return result;
}

HXGUID ToHXGuid(const TGUID& guid) {
    const QUuid& uuid = guid.Uuid();
    HXGUID result{uuid.data1, uuid.data2, uuid.data3, {}};
    std::memcpy(result.Data4, uuid.data4, sizeof result.Data4);
    return result;
}

TGUID FromHXGuid(const HXGUID& guid) {
    return TGUID(QUuid(guid.Data1, guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                       guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]));
}

void BeginHXCall() {
    HXClearErrorInfo();
}

void CheckHXResult(HXRESULT result, const char* member) {
    if (HX_SUCCEEDED(result))
        return;
    HXBSTR source = nullptr;
    HXBSTR description = nullptr;
    HXGetErrorInfo(&source, &description);
    TakeHXString(source);
    QString message = TakeHXString(description);
    if (message.isEmpty())
        message = QString::fromLatin1(member) + QStringLiteral(" failed (0x") +
                  QString::number(static_cast<uint32_t>(result), 16).toUpper().rightJustified(8, u'0') +
                  QStringLiteral(")");
    throw EHXAutomationError(message);
}
