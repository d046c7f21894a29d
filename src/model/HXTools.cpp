#include "model/HXTools.h"

#include "model/ActivityLocator.h"
#include "model/EntryList.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

THXTools::THXTools(TOptionsSectionReader options) : m_options(std::move(options)) {}

std::shared_ptr<IHXEntryList_> THXTools::CreateNewEntryList() {
    return std::make_shared<TEntryList>();
}

std::shared_ptr<TXMZFile> THXTools::CreateNewXMZFile() {
    auto file = std::make_shared<TXMZFile>(0, 0);
    const auto general = m_options ? m_options(QStringLiteral("general")) : nullptr;
    file->SetCompress(FindBooleanDef(general, QStringLiteral("compress"), true));
    return file;
}

std::shared_ptr<IHXPropertyList_> THXTools::CreateNewPropertyList() {
    return std::make_shared<TPropertyList>(30, 1);
}

std::shared_ptr<IHXActivityLocator_> THXTools::CreateNewActivityLocator() {
    return std::make_shared<TActivityLocator>();
}

std::shared_ptr<TXMZFile> THXTools::OpenOrCreateXMZFile(const QString& fileName, const TGUID& fileType) {
    return ::OpenOrCreateXMZFile([this] { return CreateNewXMZFile(); }, fileName, fileType);
}
