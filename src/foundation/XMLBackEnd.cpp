#include "foundation/XMLBackEnd.h"

#include "foundation/Log.h"
#include "foundation/Registry.h"

namespace {

const char* const kMicrosoftXMLClassIds[] = {
    "{88D969C0-F192-11D4-A65F-0040963251E5}", // 4.0
    "{F5078F32-C551-11D3-89B9-0000F81FE221}", // 3.0
    "{F5078F1B-C551-11D3-89B9-0000F81FE221}", // 2.6
};

TRegistryStringReader& RegistryReader() {
    static TRegistryStringReader reader;
    return reader;
}

TXMLBackEnd& ActiveBackEnd() {
    static TXMLBackEnd backEnd = TXMLBackEnd::OpenXML;
    return backEnd;
}

} // namespace

bool IsMicrosoftXMLInstalled(const TRegistryStringReader& reader) {
    const TRegistryStringReader& readString = reader ? reader : TRegistryStringReader(RegReadStringDef);
    for (const char* classId : kMicrosoftXMLClassIds) {
        const QString key = QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + QString::fromLatin1(classId);
        if (!readString(key, QString(), QString()).isEmpty())
            return true;
    }
    return false;
}

void SetXMLRegistryReader(TRegistryStringReader readString) {
    RegistryReader() = std::move(readString);
}

TXMLBackEnd ChooseXMLBackEnd(bool preferOpenXML, bool log) {
    // The registry decides which back end the program would like; without the COM DOM on this
    // platform the in-process back end serves both cases.
    const bool microsoftXML = !preferOpenXML && IsMicrosoftXMLInstalled(RegistryReader());
    (void)microsoftXML;
    ActiveBackEnd() = TXMLBackEnd::OpenXML;
    if (log)
        WriteLog(QStringLiteral("XML: Using OpenXML"));
    return ActiveBackEnd();
}

TXMLBackEnd ActiveXMLBackEnd() {
    return ActiveBackEnd();
}
