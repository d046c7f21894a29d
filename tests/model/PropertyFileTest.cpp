// A property tree with every data type goes through a data file and comes back unchanged.

#include "model/HXTools.h"
#include "model/PropertyList.h"

#include "foundation/DateTime.h"
#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"

#include <gtest/gtest.h>

namespace {
const TGUID FileType = TGUID::Constant("{0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0}");
const QString Unknown = QStringLiteral("<property name=\"newer\" type=\"spline\" degree=\"3\">"
                                       "<point x=\"1.5\" y=\"-2\"/><point x=\"4\" y=\"0\">&amp;</point></property>");

std::shared_ptr<TPropertyList> EveryType() {
    auto list = std::make_shared<TPropertyList>();
    list->Items(QStringLiteral("unused"));
    list->Items(QStringLiteral("string"))->SetAsString(QStringLiteral("Grüße, \"quoted\" & <tagged>"));
    list->Items(QStringLiteral("long string"))->SetAsString(QString(200, QChar(u'ü')) + QStringLiteral("\nline 2"));
    list->Items(QStringLiteral("integer"))->SetAsInteger(-2147483647 - 1);
    list->Items(QStringLiteral("double"))->SetAsDouble(-1234.5678901234);
    list->Items(QStringLiteral("datetime"))->SetAsDateTime(EncodeDateTime(2024, 2, 29, 23, 59, 59, 0));
    list->Items(QStringLiteral("boolean"))->SetAsBoolean(true);
    list->Items(QStringLiteral("date"))->SetAsDate(EncodeDate(1999, 12, 31));
    list->Items(QStringLiteral("time"))->SetAsTime(EncodeTVRNTime(7, 45, 30, 0));
    list->Items(QStringLiteral("end of day"))->SetAsTime(1.0);
    list->Items(QStringLiteral("guid"))->SetAsGUID(TGUID::Constant("{4A534831-3844-48D3-94A0-5F4112554083}"));
    list->Items(QStringLiteral("duration"))->SetAsDuration(EncodeDurationHours(30, 15, 0, 0));
    auto values = list->Items(QStringLiteral("valuelist"))->AsValueList();
    values->AddItem()->SetAsInteger(1);
    values->AddItem()->SetAsString(QStringLiteral("two"));
    values->AddItem()->AsPropertyList()->Items(QStringLiteral("three"))->SetAsBoolean(false);
    auto nested = list->Items(QStringLiteral("propertylist"))->AsPropertyList();
    nested->Items(QStringLiteral("deeper"))->AsPropertyList()->Items(QStringLiteral("leaf"))->SetAsDouble(0.1);
    nested->Items(QStringLiteral("list"))->AsValueList()->AddItem()->SetAsDuration(0.25);
    // The unknown type arrives the only way it can: read from an element.
    const TvrnDomDocument doc = XMLLoadFromBytes((QStringLiteral("<r>") + Unknown + QStringLiteral("</r>")).toUtf8());
    auto reader = std::make_shared<TPropertyList>();
    reader->LoadFromXML(XMLDocumentElement(doc));
    list->SetItem(QStringLiteral("newer"), reader->Find(QStringLiteral("newer")));
    return list;
}
} // namespace

TEST(PropertyFile, EveryTypeRoundTripsThroughADataFile) {
    TempHome home;
    ScopedFixedClock clock(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    THXTools tools;
    const auto original = EveryType();
    const auto written = EveryType(); // with its unused property, which is never written
    original->Remove(QStringLiteral("unused"));
    for (bool compress : {true, false}) {
        const QString name = home.Path(compress ? QStringLiteral("packed.hx") : QStringLiteral("plain.hx"));
        {
            auto file = tools.OpenOrCreateXMZFile(name, FileType);
            file->SetCompress(compress);
            std::dynamic_pointer_cast<IXMLStorable>(written)->SaveToXML(file->GetContent());
            file->Save();
        }
        TXMZFile file;
        file.AssignFile_(name, true, FileType);
        auto read = std::make_shared<TPropertyList>();
        read->LoadFromXML(file.GetContent());
        EXPECT_TRUE(read->Equals(original));
        EXPECT_TRUE(original->Equals(read));
        EXPECT_EQ(read->Find(QStringLiteral("unused")), nullptr);
        EXPECT_EQ(read->Count(), original->Count());
        EXPECT_EQ(read->Find(QStringLiteral("end of day"))->AsTime(), 1.0);

        // The unknown element is in the file exactly as it was read.
        const xmztest::Envelope disk = xmztest::ReadEnvelope(name);
        ASSERT_TRUE(disk.ok);
        EXPECT_EQ(disk.compressed, compress);
        EXPECT_TRUE(disk.text.contains(Unknown)) << disk.text.toStdString();
    }
}

TEST(PropertyFile, ToolsCreateFilesByTheCompressOption) {
    auto general = std::make_shared<TPropertyList>();
    THXTools tools([&](const QString& section) {
        return section == QLatin1String("general") ? general : std::shared_ptr<TPropertyList>();
    });
    EXPECT_TRUE(tools.CreateNewXMZFile()->GetCompress());
    general->Items(QStringLiteral("compress"))->SetAsBoolean(false);
    EXPECT_FALSE(tools.CreateNewXMZFile()->GetCompress());
    general->Items(QStringLiteral("compress"))->SetAsString(QStringLiteral("false")); // wrong type: default
    EXPECT_TRUE(tools.CreateNewXMZFile()->GetCompress());
    EXPECT_TRUE(THXTools().CreateNewXMZFile()->GetCompress());

    auto list = tools.CreateNewPropertyList();
    list->Items(QStringLiteral("Name"));
    EXPECT_NE(list->Find(QStringLiteral("NAME")), nullptr);
}
