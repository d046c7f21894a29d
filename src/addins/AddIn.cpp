#include "addins/AddIn.h"

#include "foundation/Translation.h"
#include "foundation/VRNException.h"

QString TInternalAddIn::GetID() {
    throw EVRNException(QStringLiteral("abstract: TInternalAddIn.GetID ") + ClassName());
}

QString TInternalAddIn::GetName() {
    throw EVRNException(QStringLiteral("abstract: TInternalAddIn.GetName ") + ClassName());
}

void TInternalAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    if (!application)
        throw EUnassignedArgumentError(QStringLiteral("TInternalAddIn.LaunchAddIn: no application"));
    m_application = application;
}

QString TInternalAddIn::GetAboutText() {
    return Tr("Base add-in for Varnelo Horalux. This add in is integrated") +
           (AllowDeactivate() ? Tr(" but can be deactivated.") : Tr(" and cannot be deactivated."));
}

IApplication_& TInternalAddIn::Application() const {
    if (!m_application)
        throw EVRNException(QStringLiteral("TInternalAddIn: ") + ClassName() +
                            QStringLiteral(" has not been launched"));
    return *m_application;
}
