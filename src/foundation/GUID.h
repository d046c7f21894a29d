#pragma once

#include <QString>
#include <QUuid>
#include <compare>

// The GUID services of the automation layer: new GUIDs, comparison, the registry text form. The
// rest of that layer (the controller's class factory and its single-use registration, the
// running-object table through which clients attach to the running instance, the class factories
// of the add-in classes inside the process, object creation by programmatic identifier, and the
// HoraluxSDK type library with its register/unregister switches) comes with the add-in work, in
// the foundation's "automation" group beside this file.

/// A GUID. Its text form is the registry form: braces, five groups of upper-case hexadecimal
/// digits, 38 characters in all ("{4A534831-3844-48D3-94A0-5F4112554083}").
class TGUID {
public:
    TGUID() = default;
    explicit TGUID(const QUuid& uuid) : m_uuid(uuid) {}

    static TGUID NewGuid() { return TGUID(QUuid::createUuid()); }
    /// Parses the registry form, case-insensitively; raises EVRNConvertError
    /// "invalid guid format: \"<text>\"".
    static TGUID FromString(const QString& text);
    /// For constants written in the source; the text must be valid.
    static TGUID Constant(const char* text);

    bool IsNull() const { return m_uuid.isNull(); }
    QString ToString() const;
    const QUuid& Uuid() const { return m_uuid; }

    friend bool operator==(const TGUID& a, const TGUID& b) { return a.m_uuid == b.m_uuid; }
    friend bool operator<(const TGUID& a, const TGUID& b) { return a.m_uuid < b.m_uuid; }

private:
    QUuid m_uuid;
};

inline size_t qHash(const TGUID& guid, size_t seed = 0) {
    return qHash(guid.Uuid(), seed);
}

QString GUIDToWideString(const TGUID& guid);
TGUID WideStringToGUID(const QString& text);
