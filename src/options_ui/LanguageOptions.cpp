#include "options_ui/LanguageOptions.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/PropertyHelpers.h"
#include "ui/DialogFont.h"

#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");
const QString kLanguage = QStringLiteral("language");
constexpr int SmallestPoints = 8;
constexpr int LargestPoints = 16;

std::optional<QFont> AskForFont(QWidget* parent, const QFont& start, const std::function<void(const QFont&)>& preview) {
    QFontDialog dialog(start, parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setWindowTitle(Tr("Change Font"));
    QObject::connect(&dialog, &QFontDialog::currentFontChanged, &dialog, [&preview](const QFont& font) {
        if (preview)
            preview(font);
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

} // namespace

QList<TLanguageEntry> LanguageEntries() {
    return LanguageEntries(AvailableLanguages(),
                           [](const QString& code) { return CatalogueTranslation(code, NativeLanguageNameText); });
}

QList<TLanguageEntry> LanguageEntries(const QStringList& codes,
                                      const std::function<QString(const QString&)>& nativeName) {
    QList<TLanguageEntry> entries;
    const QString placeholder = QString::fromUtf8(NativeLanguageNameText);
    for (const QString& code : codes) {
        const QString name = nativeName ? nativeName(code) : QString();
        entries << TLanguageEntry{name.isEmpty() || name == placeholder ? code : name, code};
    }
    std::stable_sort(entries.begin(), entries.end(), [](const TLanguageEntry& a, const TLanguageEntry& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    const bool hasEnglish = std::any_of(entries.begin(), entries.end(), [](const TLanguageEntry& entry) {
        return entry.code.compare(u"en_US", Qt::CaseInsensitive) == 0;
    });
    if (!hasEnglish)
        entries << TLanguageEntry{QStringLiteral("English (United States)"), QStringLiteral("en_US")};
    entries.prepend(TLanguageEntry{Tr("Automatic"), QString()});
    return entries;
}

QString FontDescription(const TLogFontRecord& font, double dpi) {
    const std::optional<QFont> shown = FontFromLogFont(font, dpi);
    const QString face = shown ? shown->family() : font.lfFaceName;
    const int scale = shown ? static_cast<int>(std::lround(100.0 * DialogFontScale(*shown, dpi))) : 100;
    return FormatPlaceholders(Tr("%1, %2pt (Scale %3%%)"),
                              {face, QString::number(LogFontPointSize(font.lfHeight, dpi)), QString::number(scale)});
}

TfrmLanguageOptions::TfrmLanguageOptions(QWidget* parent, IHXOptionsControl_* control)
    : TfrmOptionsPage(parent, control), m_language(new QComboBox(this)), m_fontLabel(new QLabel(this)),
      m_change(new QPushButton(Tr("Change Font"), this)), m_reset(new QPushButton(Tr("Reset"), this)),
      m_chooseFont(AskForFont) {
    setObjectName(QStringLiteral("frmLanguageOptions"));
    auto* description = new QLabel(
        FormatPlaceholders(Tr("Choose your language for %1 and adjust the display so that your language gets "
                              "supported properly. Any changes made here will not be effective before the next "
                              "program start."),
                           {kProduct}),
        this);
    description->setWordWrap(true);
    auto* languageLabel = new QLabel(Tr("Language:"), this);
    languageLabel->setBuddy(m_language);
    auto* fontCaption = new QLabel(Tr("Your currently selected font is:"), this);
    for (const TLanguageEntry& entry : LanguageEntries())
        m_language->addItem(entry.name, entry.code);

    auto* languageRow = new QHBoxLayout;
    languageRow->addWidget(languageLabel);
    languageRow->addWidget(m_language, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_change);
    buttons->addWidget(m_reset);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(description);
    layout->addSpacing(6);
    layout->addLayout(languageRow);
    layout->addSpacing(6);
    layout->addWidget(fontCaption);
    layout->addWidget(m_fontLabel);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(m_language, &QComboBox::activated, this, &TfrmLanguageOptions::SetModified);
    connect(m_change, &QPushButton::clicked, this, &TfrmLanguageOptions::ChangeFont);
    connect(m_reset, &QPushButton::clicked, this, &TfrmLanguageOptions::ResetFont);
}

void TfrmLanguageOptions::ShowFont(const TLogFontRecord& font) {
    m_fontLabel->setText(FontDescription(font, ScreenDotsPerInch()));
}

void TfrmLanguageOptions::LoadPage() {
    const auto section = Section(kLanguage);
    const double dpi = ScreenDotsPerInch();
    m_font = LogFontFromFont(font(), dpi);
    if (const auto stored = section->Find(QStringLiteral("font")); stored && stored->DataType() == hxpdtPropertyList)
        ReadFontFromProperties(stored->AsPropertyList(), m_font);
    ShowFont(m_font);
    const QString code = FindStringDef(section, kLanguage, QString());
    int selected = 0;
    for (int i = 0; i < m_language->count(); ++i)
        if (m_language->itemData(i).toString().compare(code, Qt::CaseInsensitive) == 0) {
            selected = i;
            break;
        }
    m_language->setCurrentIndex(selected);
}

bool TfrmLanguageOptions::SavePage() {
    const auto section = Section(kLanguage);
    WriteFontToProperties(section->Items(QStringLiteral("font"))->AsPropertyList(), m_font);
    if (m_language->currentIndex() >= 0)
        section->Items(kLanguage)->SetAsString(m_language->currentData().toString());
    return true;
}

void TfrmLanguageOptions::ChangeFont() {
    const double dpi = ScreenDotsPerInch();
    const QFont start = FontFromLogFont(m_font, dpi).value_or(font());
    const auto preview = [this, dpi](const QFont& chosen) { ShowFont(LogFontFromFont(chosen, dpi)); };
    std::optional<QFont> chosen = m_chooseFont ? m_chooseFont(this, start, preview) : std::nullopt;
    if (!chosen) {
        ShowFont(m_font); // the preview goes
        return;
    }
    // The font dialog offers every size; the windows are laid out for 8 to 16 points.
    const double points = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : SmallestPoints;
    chosen->setPointSizeF(std::clamp(points, double(SmallestPoints), double(LargestPoints)));
    m_font = LogFontFromFont(*chosen, dpi);
    ShowFont(m_font);
    SetModified();
}

void TfrmLanguageOptions::ResetFont() {
    m_font = TLogFontRecord{};
    m_font.lfHeight = -static_cast<std::int32_t>(std::lround(SmallestPoints * ScreenDotsPerInch() / 72.0));
    m_font.lfFaceName = QStringLiteral("MS Shell Dlg");
    m_font.lfOutPrecision = 4;
    ShowFont(m_font);
    SetModified();
}

QString TAddInLanguageOptions::GetID() {
    return QString::fromLatin1(ID);
}

QString TAddInLanguageOptions::GetName() {
    return Tr("Language Options");
}

void TAddInLanguageOptions::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    if (const auto pages = Application().GetOptionsPagesList())
        pages->Add(std::make_shared<TOptionsPage>(GetName(), 900, [](QWidget* parent, IHXOptionsControl_* control) {
            return new TfrmLanguageOptions(parent, control);
        }));
}
