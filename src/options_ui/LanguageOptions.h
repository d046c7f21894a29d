#pragma once

// The language page: the language of the program's texts and the dialog font. Section
// "language": "language" (a catalogue code such as "de" or "en_US"; empty: the desktop's language)
// and "font" (the stored font record). Both take effect at the next start.

#include "addins/AddIn.h"
#include "model/FontProperties.h"
#include "ui/OptionsPages.h"

#include <QFont>
#include <QList>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

/// One entry of the language list: what it shows and the code it stands for.
struct TLanguageEntry {
    QString name;
    QString code;
    friend bool operator==(const TLanguageEntry&, const TLanguageEntry&) = default;
};

/// The language list: "Automatic" (empty code) on top, then every language with a catalogue of
/// the domain "default", shown by its own name (its code when its catalogue has none), sorted by
/// that name, and "English (United States)" (en_US) among them when no catalogue is for it.
QList<TLanguageEntry> LanguageEntries();
/// The same list for these catalogue codes, nativeName giving a code's translation of
/// "***native language name***" (empty when it has none).
QList<TLanguageEntry> LanguageEntries(const QStringList& codes,
                                      const std::function<QString(const QString&)>& nativeName);

/// "Face, 8pt (Scale 100%)": the face, the point size of the record's height and the scale of the
/// windows in that font.
QString FontDescription(const TLogFontRecord& font, double dpi);

class TfrmLanguageOptions : public TfrmOptionsPage {
    Q_OBJECT
public:
    /// Asks for a font starting from the given one; nothing when the user cancels. preview shows
    /// the font chosen so far while the dialog is open.
    using TFontChooser = std::function<std::optional<QFont>(QWidget* parent, const QFont& start,
                                                            const std::function<void(const QFont&)>& preview)>;

    TfrmLanguageOptions(QWidget* parent, IHXOptionsControl_* control);

    void LoadPage() override;
    bool SavePage() override;

    /// The "Change Font" command: a chosen font is limited to 8 to 16 points.
    void ChangeFont();
    /// The "Reset" command: 8 points of the desktop's dialog font.
    void ResetFont();
    /// Replaces the font dialog (tests).
    void SetFontChooser(TFontChooser chooser) { m_chooseFont = std::move(chooser); }

    const TLogFontRecord& Font() const { return m_font; }
    QComboBox* LanguageBox() const { return m_language; }
    QLabel* FontLabel() const { return m_fontLabel; }

private:
    void ShowFont(const TLogFontRecord& font);

    QComboBox* m_language;
    QLabel* m_fontLabel;
    QPushButton* m_change;
    QPushButton* m_reset;
    TLogFontRecord m_font;
    TFontChooser m_chooseFont;
};

/// The built-in add-in that brings the language page (order 900, captioned with the add-in's
/// name).
class TAddInLanguageOptions : public TInternalAddIn {
public:
    static constexpr const char* ID = "{9C589BBF-9B68-4253-9AD9-A58B5707AFDC}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
