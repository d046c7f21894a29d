#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <typeinfo>

/// Base of all of the program's own exceptions. The wide message (QString) is the one shown and
/// logged; what() returns it as UTF-8. ClassName() is the name that messages and logs quote.
class EVRNException : public std::exception {
public:
    explicit EVRNException(const QString& message);
    /// A format template with "%1", "%2" ... placeholders and their values.
    EVRNException(const QString& format, const QStringList& args);
    ~EVRNException() override = default;

    const char* what() const noexcept override { return m_what.constData(); }
    const QString& Message() const { return m_message; }
    virtual QString ClassName() const { return QStringLiteral("EVRNException"); }

private:
    QString m_message;
    QByteArray m_what;
};

/// Declares an exception class Name derived from Base whose ClassName() is "Name".
#define VRN_DECLARE_EXCEPTION(Name, Base)                                                                              \
    class Name : public Base {                                                                                         \
    public:                                                                                                            \
        using Base::Base;                                                                                              \
        QString ClassName() const override { return QStringLiteral(#Name); }                                           \
    }

/// The user cancelled an operation; callers end the operation without any message.
VRN_DECLARE_EXCEPTION(EUserCancel, EVRNException);
/// An operation was cancelled automatically, not by a user action.
VRN_DECLARE_EXCEPTION(EAutoCancel, EUserCancel);
/// An internal inconsistency; the message is "Class.Method[: detail]".
VRN_DECLARE_EXCEPTION(EMustNotHappen, EVRNException);
/// A required object argument was missing; the message is "Class.Method[: detail]".
VRN_DECLARE_EXCEPTION(EUnassignedArgumentError, EVRNException);
/// A list operation was refused (duplicate, wrong date, index).
VRN_DECLARE_EXCEPTION(EVRNListError, EVRNException);
/// A text could not be converted (number, GUID, date, time).
VRN_DECLARE_EXCEPTION(EVRNConvertError, EVRNException);

/// The class name of any exception: ClassName() for our own, else the C++ type's plain name.
QString ExceptionClassName(const std::exception& e);
/// The name of a class as the program shows it: demangled, without its namespaces.
QString ClassNameOfType(const std::type_info& type);
/// The wide message of an EVRNException, else what() decoded as UTF-8.
QString GetExceptionMessage(const std::exception& e);
/// "Class: message".
QString ExceptionToText(const std::exception& e);
/// " (Class: message)", appended by callers to their own message.
QString ExceptionToTextSuffix(const std::exception& e);
/// Writes the log line: Context, ": ", class name, " - \"", message, "\"".
void LogException(const QString& context, const std::exception& e);
