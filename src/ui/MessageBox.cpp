#include "ui/MessageBox.h"

#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "ui/DialogFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <deque>

namespace {

struct ButtonRow {
    unsigned bit;
    const char* caption;
    int result;
};

// The nine buttons in the order they appear.
const ButtonRow kButtonRows[] = {
    {MessageBoxButton::OK, TrNoop("&OK"), MessageBoxResult::OK},
    {MessageBoxButton::Yes, TrNoop("&Yes"), MessageBoxResult::Yes},
    {MessageBoxButton::Retry, TrNoop("&Retry"), MessageBoxResult::Retry},
    {MessageBoxButton::Ignore, TrNoop("&Ignore"), MessageBoxResult::Ignore},
    {MessageBoxButton::SaveLater, TrNoop("Save &Later"), MessageBoxResult::SaveLater},
    {MessageBoxButton::CreateNew, TrNoop("Cr&eate New"), MessageBoxResult::CreateNew},
    {MessageBoxButton::No, TrNoop("&No"), MessageBoxResult::No},
    {MessageBoxButton::Cancel, TrNoop("&Cancel"), MessageBoxResult::Cancel},
    {MessageBoxButton::Details, TrNoop("&Details"), MessageBoxResult::None},
};
constexpr unsigned kKnownBits = 0x7FF;

QString& CaptionSlot(int index) {
    static QString captions[9];
    return captions[index];
}

TGenericWindowHooks& Hooks() {
    static TGenericWindowHooks hooks;
    return hooks;
}

struct SeamState {
    std::deque<int> answers;
    bool autoAnswer = false;
    std::vector<TMessageBoxRecord> history;
};

SeamState& Seam() {
    static SeamState state;
    return state;
}

void DescribeOnStandardError(const TMessageBoxRecord& record) {
    QString line = QStringLiteral("HORALUX_TEST message box: ") + record.caption + QStringLiteral(" | ") + record.text +
                   QStringLiteral(" | ") + MessageBoxIconName(record.kind);
    line.replace(u'\n', QStringLiteral("\\n"));
    const QByteArray bytes = (line + QStringLiteral(" -> ") + QString::number(record.answer) + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

bool KindHasIcon(int kind) {
    return kind >= MessageBoxKind::Warning && kind <= MessageBoxKind::Warning2;
}

QStyle::StandardPixmap KindPixmap(int kind) {
    switch (kind) {
    case MessageBoxKind::Warning:
    case MessageBoxKind::Warning2:
        return QStyle::SP_MessageBoxWarning;
    case MessageBoxKind::Information:
    case MessageBoxKind::Information2:
        return QStyle::SP_MessageBoxInformation;
    case MessageBoxKind::Question:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxCritical;
    }
}

bool KindHasSound(int kind) {
    return KindHasIcon(kind) && kind != MessageBoxKind::Question;
}

} // namespace

std::vector<TMessageBoxButtonDef> MessageBoxButtons(unsigned buttons) {
    if (buttons & ~kKnownBits)
        throw EVRNException(QStringLiteral("TfrmMessageBox.SetButtons: Invalid button"));
    std::vector<TMessageBoxButtonDef> result;
    for (const ButtonRow& row : kButtonRows)
        if (buttons & row.bit)
            result.push_back({row.bit, row.result});
    if (result.empty())
        result.push_back({MessageBoxButton::OK, MessageBoxResult::OK});
    return result;
}

int MessageBoxFocusIndex(unsigned buttons, int buttonCount) {
    if ((buttons & MessageBoxButton::FocusSecond) && buttonCount >= 2)
        return 1;
    if ((buttons & MessageBoxButton::FocusThird) && buttonCount >= 3)
        return 2;
    return 0;
}

int MessageBoxEscapeResult(unsigned buttons) {
    const unsigned plain = buttons & 0x1FF;
    if (plain == 0)
        return MessageBoxResult::OK;
    if (plain & MessageBoxButton::Cancel)
        return MessageBoxResult::Cancel;
    if (plain & MessageBoxButton::No)
        return MessageBoxResult::No;
    if (plain & MessageBoxButton::Ignore)
        return MessageBoxResult::Ignore;
    return MessageBoxResult::None;
}

QString MessageBoxIconName(int kind) {
    switch (kind) {
    case MessageBoxKind::Warning:
    case MessageBoxKind::Warning2:
        return QStringLiteral("warning");
    case MessageBoxKind::Information:
    case MessageBoxKind::Information2:
        return QStringLiteral("information");
    case MessageBoxKind::Question:
        return QStringLiteral("question");
    case MessageBoxKind::Error:
    case MessageBoxKind::Error2:
    case MessageBoxKind::Error3:
        return QStringLiteral("error");
    default:
        return QStringLiteral("none");
    }
}

void TranslateMessageBoxButtons() {
    for (int i = 0; i < 9; ++i)
        CaptionSlot(i) = Tr(kButtonRows[i].caption);
}

QString MessageBoxButtonCaption(unsigned bit) {
    for (int i = 0; i < 9; ++i) {
        if (kButtonRows[i].bit != bit)
            continue;
        if (CaptionSlot(i).isEmpty())
            return QString::fromUtf8(kButtonRows[i].caption);
        return CaptionSlot(i);
    }
    return QString();
}

QString ExpandMessageLineBreaks(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return result;
}

QString WrapMessageText(const QString& text, int maxWidth, const std::function<int(const QString&)>& textWidth) {
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        const QStringList words = paragraph.split(u' ');
        for (int w = 0; w < words.size(); ++w) {
            const QString& word = words[w];
            const QString candidate = w == 0 ? word : line + u' ' + word;
            if (w == 0 || textWidth(candidate) <= maxWidth) {
                line = candidate;
            } else {
                lines << line;
                line = word;
            }
            // A word wider than a line is broken between characters, never inside a pair of
            // UTF-16 surrogates.
            while (textWidth(line) > maxWidth) {
                int cut = 0;
                int pos = 0;
                while (pos < line.size()) {
                    const int step = (line[pos].isHighSurrogate() && pos + 1 < line.size()) ? 2 : 1;
                    if (cut > 0 && textWidth(line.left(pos + step)) > maxWidth)
                        break;
                    pos += step;
                    cut = pos;
                }
                if (cut >= line.size())
                    break;
                lines << line.left(cut);
                line = line.mid(cut);
            }
        }
        lines << line;
    }
    return lines.join(u'\n');
}

void SetGenericWindowHooks(TGenericWindowHooks hooks) {
    Hooks() = std::move(hooks);
}

void TMessageBoxSeam::SetNextAnswer(int result) {
    Seam().answers.push_back(result);
}

void TMessageBoxSeam::SetAutoAnswer(bool on) {
    Seam().autoAnswer = on;
}

void TMessageBoxSeam::ClearAnswers() {
    Seam().answers.clear();
}

bool TMessageBoxSeam::HasQueuedAnswers() {
    return !Seam().answers.empty();
}

const std::vector<TMessageBoxRecord>& TMessageBoxSeam::History() {
    return Seam().history;
}

void TMessageBoxSeam::ClearHistory() {
    Seam().history.clear();
}

std::optional<TMessageBoxRecord> TMessageBoxSeam::Last() {
    if (Seam().history.empty())
        return std::nullopt;
    return Seam().history.back();
}

TfrmMessageBox::TfrmMessageBox(QWidget* owner)
    : QDialog(owner), m_owner(owner), m_icon(new QLabel(this)), m_label(new QLabel(this)),
      m_details(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frmMessageBox"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(DialogFont());
    m_scale = DialogFontScale(DialogFont(), logicalDpiY());
    m_label->setTextFormat(Qt::PlainText);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_details->hide();
    m_icon->hide();
    resize(Scaled(300), Scaled(150));
    SetButtons(0);
}

int TfrmMessageBox::Scaled(int pixels) const {
    return static_cast<int>(pixels * m_scale + 0.5);
}

void TfrmMessageBox::SetKind(int kind) {
    m_kind = kind;
}

void TfrmMessageBox::SetButtons(unsigned buttons) {
    const std::vector<TMessageBoxButtonDef> definitions = MessageBoxButtons(buttons);
    for (auto& [bit, button] : m_buttons)
        delete button;
    m_buttons.clear();
    m_buttonBits = buttons;
    for (const TMessageBoxButtonDef& kind : definitions) {
        auto* button = new QPushButton(MessageBoxButtonCaption(kind.bit), this);
        button->setAutoDefault(false);
        if (kind.bit == MessageBoxButton::Details) {
            connect(button, &QPushButton::clicked, this, [this] { ToggleDetails(); });
        } else {
            const int result = kind.result;
            connect(button, &QPushButton::clicked, this, [this, result] { Answer(result); });
        }
        m_buttons.emplace_back(kind.bit, button);
    }
    m_focusButton =
        m_buttons[static_cast<size_t>(MessageBoxFocusIndex(buttons, static_cast<int>(m_buttons.size())))].second;
    m_focusButton->setDefault(true);
    m_focusButton->setFocus();
}

void TfrmMessageBox::SetCaption(const QString& caption) {
    setWindowTitle(caption.isEmpty() && m_owner ? m_owner->windowTitle() : caption);
}

void TfrmMessageBox::SetText(const QString& text) {
    m_text = ExpandMessageLineBreaks(text);
}

void TfrmMessageBox::SetDetails(const QString& details) {
    m_details->setPlainText(ExpandMessageLineBreaks(details));
}

bool TfrmMessageBox::DetailsVisible() const {
    return m_details->isVisible() || m_details->isVisibleTo(this);
}

QPushButton* TfrmMessageBox::Button(unsigned bit) const {
    for (const auto& [b, button] : m_buttons)
        if (b == bit)
            return button;
    return nullptr;
}

QPushButton* TfrmMessageBox::FocusButton() const {
    return m_focusButton;
}

QString TfrmMessageBox::ShownText() const {
    return m_label->text();
}

QString TfrmMessageBox::DetailsText() const {
    return m_details->toPlainText();
}

void TfrmMessageBox::Prepare() {
    const bool hasIcon = KindHasIcon(m_kind);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    const int iconAreaWidth = hasIcon ? iconSize + Scaled(40) : 0;
    const int iconAreaHeight = hasIcon ? iconSize + Scaled(20) : 0;
    if (hasIcon) {
        m_icon->setPixmap(style()->standardIcon(KindPixmap(m_kind), nullptr, this).pixmap(iconSize, iconSize));
        m_icon->setAlignment(Qt::AlignCenter);
        m_icon->setGeometry(0, 0, iconAreaWidth, iconAreaHeight);
        m_icon->show();
    } else {
        m_icon->hide();
    }

    const QRect workArea = (m_owner && m_owner->screen() ? m_owner->screen() : screen())->availableGeometry();
    const int maxTextWidth = Scaled(hasIcon ? 630 : 620) - iconAreaWidth;
    const QFontMetrics metrics(font());
    const QString wrapped =
        WrapMessageText(m_text, maxTextWidth, [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    m_label->setText(wrapped);
    const QSize textSize = metrics.size(0, wrapped);

    const int buttonWidth = Scaled(80);
    const int buttonHeight = Scaled(23);
    const int buttonStep = Scaled(90);
    const int buttonCount = static_cast<int>(m_buttons.size());
    const int rowWidth = buttonCount * buttonStep - (buttonStep - buttonWidth);
    const int margin = Scaled(10);
    const int rowHeight = buttonHeight + 2 * margin;

    int width = textSize.width() + iconAreaWidth + (hasIcon ? Scaled(10) : Scaled(20));
    width = std::max(width, rowWidth + Scaled(20));
    width = std::min(width, workArea.width());
    const int textAreaHeight = std::max(textSize.height() + 2 * margin, iconAreaHeight);
    int height = textAreaHeight + rowHeight;
    height = std::min(height, workArea.height());

    const int textLeft = hasIcon ? iconAreaWidth : margin;
    const int textTop = textSize.height() < iconAreaHeight ? (iconAreaHeight - textSize.height()) / 2 : Scaled(5);
    m_label->setGeometry(textLeft, std::max(textTop, margin / 2), width - textLeft - margin / 2,
                         textAreaHeight - std::max(textTop, margin / 2));

    int x = (width - rowWidth) / 2;
    const int buttonTop = textAreaHeight + margin;
    for (const auto& [bit, button] : m_buttons) {
        button->setGeometry(x, buttonTop, buttonWidth, buttonHeight);
        x += buttonStep;
    }
    m_detailsHeight = Scaled(69) + 2 * margin;
    m_details->setGeometry(margin, height + margin, width - 2 * margin, Scaled(69));
    setFixedSize(width, height + (m_details->isVisibleTo(this) ? m_detailsHeight : 0));

    // Centred on the owner, else on the screen, and kept inside the work area.
    const QRect around = m_owner && m_owner->isVisible() ? m_owner->frameGeometry() : workArea;
    QPoint topLeft = around.center() - QPoint(width / 2, height / 2);
    topLeft.setX(std::clamp(topLeft.x(), workArea.left(), std::max(workArea.left(), workArea.right() - width)));
    topLeft.setY(std::clamp(topLeft.y(), workArea.top(), std::max(workArea.top(), workArea.bottom() - height)));
    move(topLeft);
    if (m_focusButton)
        m_focusButton->setFocus();
}

void TfrmMessageBox::ToggleDetails() {
    const bool show = !m_details->isVisibleTo(this);
    m_details->setVisible(show);
    const int grow = show ? m_detailsHeight : -m_detailsHeight;
    setFixedSize(width(), height() + grow);
}

void TfrmMessageBox::Answer(int result) {
    m_result = result;
    done(result);
}

void TfrmMessageBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        // Without a button for it, Escape does nothing: the box wants one of its buttons.
        if (const int result = MessageBoxEscapeResult(m_buttonBits); result != MessageBoxResult::None)
            Answer(result);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmMessageBox::reject() {
    // Closing through the window frame: Cancel.
    m_result = MessageBoxResult::Cancel;
    done(MessageBoxResult::Cancel);
}

void TfrmMessageBox::closeEvent(QCloseEvent* event) {
    m_result = MessageBoxResult::Cancel;
    QDialog::closeEvent(event);
}

int ShowMessageBox(QWidget* owner, const QString& caption, const QString& text, const QString& details, int kind,
                   unsigned buttons) {
    // Invalid bits raise before anything is shown, also when the seam answers.
    MessageBoxButtons(buttons);
    TMessageBoxRecord record;
    record.caption = caption.isEmpty() && owner ? owner->windowTitle() : caption;
    record.text = ExpandMessageLineBreaks(text);
    record.details = ExpandMessageLineBreaks(details);
    record.kind = kind;
    record.buttons = buttons;

    SeamState& seam = Seam();
    if (!seam.answers.empty() || seam.autoAnswer) {
        if (!seam.answers.empty()) {
            record.answer = seam.answers.front();
            seam.answers.pop_front();
        } else {
            // As if closed: the Escape answer, or Cancel where no button answers Escape.
            const int escape = MessageBoxEscapeResult(buttons);
            record.answer = escape != MessageBoxResult::None ? escape : MessageBoxResult::Cancel;
        }
        seam.history.push_back(record);
        if (seam.autoAnswer)
            DescribeOnStandardError(record);
        return record.answer;
    }

    TfrmMessageBox box(owner);
    box.SetKind(kind);
    box.SetButtons(buttons);
    box.SetCaption(caption);
    box.SetText(text);
    box.SetDetails(details);
    box.Prepare();
    if (KindHasSound(kind))
        QApplication::beep();
    const TGenericWindowHooks hooks = Hooks();
    if (hooks.addCurrentWindow)
        hooks.addCurrentWindow(&box);
    box.exec();
    if (hooks.removeCurrentWindow)
        hooks.removeCurrentWindow(&box);
    record.answer = box.Result();
    seam.history.push_back(record);
    return record.answer;
}

int ShowMessageBox(QWidget* owner, const QString& caption, const QString& text, int kind) {
    return ShowMessageBox(owner, caption, text, QString(), kind, MessageBoxButton::OK);
}

int ShowErrorBox(QWidget* owner, const QString& caption, const QString& text, const std::exception& error) {
    return ShowMessageBox(owner, caption, text, ExceptionToText(error), MessageBoxKind::Error,
                          MessageBoxButton::OK | MessageBoxButton::Details);
}
