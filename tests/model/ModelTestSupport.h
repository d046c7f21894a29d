#pragma once

// Small helpers shared by the tests of activities, locators and entries.

#include "foundation/Log.h"
#include "foundation/XMLHelper.h"
#include "model/ActivityTree.h"
#include "model/Entry.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

/// Parses XML text and returns the document (its root element is used as a content element).
inline TvrnDomDocument ParseXml(const QString& text) {
    return XMLLoadFromBytes(text.toUtf8());
}

/// The document's text as UTF-8, for looking at what was written.
inline QString XmlText(const TvrnDomDocument& document) {
    return QString::fromUtf8(XMLSaveToBytes(document, QStringLiteral("UTF-8")));
}

/// A tree loaded from the content element given as XML text.
inline std::shared_ptr<TActivityTree> LoadTree(const QString& content) {
    auto tree = TActivityTree::Create();
    auto document = ParseXml(content);
    tree->LoadFromXML(XMLDocumentElement(document));
    return tree;
}

/// Releases a tree at the end of a test, breaking its cycles.
struct TreeHolder {
    std::shared_ptr<TActivityTree> tree;
    explicit TreeHolder(std::shared_ptr<TActivityTree> t) : tree(std::move(t)) {}
    ~TreeHolder() {
        if (tree)
            ReleaseAndCleanup(tree);
    }
    TActivityTree* operator->() const { return tree.get(); }
};

/// Sends the log to a temporary file for its lifetime.
class LogCapture {
public:
    LogCapture() : m_saved(GetLogSettings()) {
        GetLogSettings() = {LogTarget::File, LogLevelNormal, m_dir.filePath(QStringLiteral("log.txt"))};
    }
    ~LogCapture() { GetLogSettings() = m_saved; }
    QString Text() const {
        QFile file(m_dir.filePath(QStringLiteral("log.txt")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QTemporaryDir m_dir;
    LogSettings m_saved;
};

/// The entry provider of activity entries, as the storage registers it.
class TestActivityEntryProvider : public IHXEntryProvider_ {
public:
    TGUID GetEntryTypeID() const override { return ActivityEntryTypeID; }
    EntryPtr CreateEntry() override { return std::make_shared<TActivityEntry>(); }
};

inline const TGUID IdA = TGUID::Constant("{AAAAAAAA-0000-0000-0000-000000000001}");
inline const TGUID IdB = TGUID::Constant("{BBBBBBBB-0000-0000-0000-000000000002}");
inline const TGUID IdC = TGUID::Constant("{CCCCCCCC-0000-0000-0000-000000000003}");
inline const TGUID IdM = TGUID::Constant("{DDDDDDDD-0000-0000-0000-000000000004}");

/// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
